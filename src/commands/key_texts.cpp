#include "commands/key_texts.h"

namespace ruvo {

using namespace Qt::StringLiterals;

QString keyName(int keyCode)
{
    switch (keyCode) {
    case KeyCode::Escape:
        return u"Esc"_s;
    case KeyCode::Space:
        return u"Space"_s;
    case KeyCode::PageUp:
        return u"Page Up"_s;
    case KeyCode::PageDown:
        return u"Page Down"_s;
    case KeyCode::End:
        return u"End"_s;
    case KeyCode::Home:
        return u"Home"_s;
    case KeyCode::Left:
        return u"←"_s;
    case KeyCode::Up:
        return u"↑"_s;
    case KeyCode::Right:
        return u"→"_s;
    case KeyCode::Down:
        return u"↓"_s;
    case KeyCode::L:
        return u"L"_s;
    case KeyCode::O:
        return u"O"_s;
    case KeyCode::X:
        return u"X"_s;
    case KeyCode::Numpad2:
        return u"テンキーの2"_s;
    case KeyCode::Numpad4:
        return u"テンキーの4"_s;
    case KeyCode::Numpad6:
        return u"テンキーの6"_s;
    case KeyCode::Numpad8:
        return u"テンキーの8"_s;
    case KeyCode::F1:
        return u"F1"_s;
    case KeyCode::F11:
        return u"F11"_s;
    case KeyCode::BracketLeft:
        return u"["_s;
    case KeyCode::BracketRight:
        return u"]"_s;
    default:
        return QString();
    }
}

QString keyActionText(KeyAction action)
{
    switch (action) {
    case KeyAction::None:
        return QString();
    case KeyAction::NextPage:
        return u"次のページへ進む（二面表示では次の見開きへ）"_s;
    case KeyAction::PreviousPage:
        return u"前のページへ戻る（二面表示では前の見開きへ）"_s;
    case KeyAction::Quit:
        return u"Ruvoを終了する"_s;
    case KeyAction::Help:
        return u"このヘルプを開く"_s;
    case KeyAction::ScrollUp:
        return u"上へスクロール（大きいページの上の方を見る）"_s;
    case KeyAction::ScrollDown:
        return u"下へスクロール（大きいページの下の方を見る）"_s;
    case KeyAction::ScrollLeft:
        return u"左へスクロール（幅の広いページの左の方を見る）"_s;
    case KeyAction::ScrollRight:
        return u"右へスクロール（幅の広いページの右の方を見る）"_s;
    case KeyAction::FullScreen:
        return u"全画面表示の ON/OFF（全画面ではツールバーとステータスバーを隠す）"_s;
    case KeyAction::LeaveFullScreen:
        return u"全画面表示を終える"_s;
    case KeyAction::ShiftPairs:
        return u"二面表示で、見開きの組を今の見開きから1ページずらす（もう一度で元に戻す）"_s;
    case KeyAction::FirstPages:
        return u"最初のページ（見開き）へ"_s;
    case KeyAction::LastPages:
        return u"最後のページ（見開き）へ"_s;
    case KeyAction::NextBook:
        return u"同じフォルダーの次の本（次の巻）を開く"_s;
    case KeyAction::PreviousBook:
        return u"同じフォルダーの前の本（前の巻）を開く"_s;
    case KeyAction::LeftToRight:
        return u"左から右へ読む ON/OFF（二面表示で若いページを左に置く）"_s;
    }
    return QString();
}

} // namespace ruvo
