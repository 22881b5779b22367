#include "viewer/form1.h"

#include "books/books.h"
#include "commands/command_group.h"
#include "commands/toolbar_table.h"
#include "common/twips.h"
#include "platform/message_box_service.h"
#include "platform/paths.h"
#include "platform/process_service.h"
#include "session/placeholder_picture.h"
#include "session/record_file.h"
#include "session/settings_store.h"
#include "session/user_messages.h"
#include "viewer/book_opening.h"
#include "viewer/empty_area_text.h"

#include <algorithm>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {
constexpr int minimumWindowSide = 3000;
constexpr int scrollStepAtStart = 75;
const QString statusFont = u"ＭＳ Ｐゴシック"_s;
} // namespace

Form1::Form1(Platform platform, ViewerState& state, Form2& browser, QObject* parent)
    : QObject(parent), m_flushing(platform, m_changes), m_platform(m_flushing.platform()), m_state(state),
      m_browser(browser)
{
    buildDispatchTables();
    m_controls.picture5.picture = placeholderPicture();
    m_controls.picture5.width = toTwips(m_controls.picture5.picture.width());
    m_controls.picture5.height = toTwips(m_controls.picture5.picture.height());
    // Asked before the window loads, by the pages prepared during the splash.
    m_controls.menu(MenuItem::resume).checked =
        SettingsStore(m_platform.settings).readNumber(Setting::resumeBooks) != 0;
}

void Form1::Form_Load()
{
    const ChangeBatch::Scope changes(m_changes);
    if (m_loaded)
        return;
    m_loaded = true;

    for (ControlName control :
         {ViewerControl::statusBar, ViewerControl::backgroundFrame, ViewerControl::backgroundOk})
        m_controls.fontNames.insert(control, statusFont);

    m_state.commandLine = m_platform.process.commandLine();
    m_state.programFolder = withoutTrailingSeparator(m_platform.process.programFolder());

    const SettingsStore settings(m_platform.settings);
    m_mode.fit = PageFit::ActualSize;
    m_mode.widePagesAlone = settings.readNumber(Setting::widePagesAlone) != 0;
    m_mode.devicePixels = settings.readNumber(Setting::devicePixels) != 0;
    m_mode.direction = settings.readNumber(Setting::leftToRight) != 0 ? ReadingDirection::LeftToRight
                                                                      : ReadingDirection::RightToLeft;
    showViewMode();
    const bool numberOrder = settings.readNumber(Setting::numberOrder) != 0;
    m_controls.menu(MenuItem::numberOrder).checked = numberOrder;
    m_platform.books.setFolderOrder(numberOrder ? NameOrder::Numbers : NameOrder::Characters);
    const bool allFormats = settings.readNumber(Setting::allFormats) != 0;
    m_controls.menu(MenuItem::allFormats).checked = allFormats;
    m_platform.books.setFolderFormats(allFormats ? PageFormats::All : PageFormats::Basic);
    m_controls.adjustments = PictureAdjustments{settings.readNumber(Setting::pictureBrightness),
                                                settings.readNumber(Setting::pictureContrast),
                                                settings.readNumber(Setting::pictureGamma),
                                                settings.readNumber(Setting::pictureGreyscale) != 0}
                                 .bounded();
    m_controls.menu(MenuItem::greyscale).checked = m_controls.adjustments.greyscale;
    m_controls.menu(MenuItem::thumbnailShape).checked = settings.readNumber(Setting::keepThumbnailShape) != 0;
    m_controls.menu(MenuItem::nextPage).enabled = false;
    m_controls.menu(MenuItem::previousPage).enabled = false;

    m_controls.picture2.move(0, 0, 0, 0);
    m_controls.picture3.move(0, 0, 0, 0);

    restoreWindow();

    setGroupEnabled(m_controls, CommandGroup::Placements, false);

    m_fields.scrollStep = scrollStepAtStart;
    SliderState& slider = m_controls.slider1;
    slider.minimum = 0;
    slider.maximum = 150;
    slider.smallChange = 1;
    slider.largeChange = 10;
    slider.tickFrequency = slider.maximum / 10;
    slider.value = m_fields.scrollStep;
    m_controls.label1 = QString::number(slider.value);

    m_state.shelfFolder = RecordFile(m_platform.files, m_state.programFolder).readShelfFolder();

    // A positions file that cannot be read is said once, in the status bar, and nothing more.
    positionsFile();
    m_controls.statusBar.notice = m_pendingNotice;
    showFirstPages();
    m_changes.note();
}

WindowState Form1::savedWindow() const
{
    const SettingsStore settings(m_platform.settings);
    WindowState window;
    window.state = settings.readNumber(Setting::viewerWindowState);
    window.width = std::max(settings.readNumber(Setting::viewerWidth), minimumWindowSide);
    window.height = std::max(settings.readNumber(Setting::viewerHeight), minimumWindowSide);
    return window;
}

void Form1::restoreWindow()
{
    const WindowState saved = savedWindow();
    WindowState& window = m_controls.window;
    window.state = saved.state;
    window.width = saved.width;
    window.height = saved.height;
    const int color = SettingsStore(m_platform.settings).readNumber(Setting::backgroundColour);
    window.scaleWidth = window.width;
    window.scaleHeight = window.height;
    Form_Resize();
    m_controls.picture1.backColor = color;
    m_controls.picture4.backColor = color;
    m_controls.nori.backColor = color;
}

void Form1::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    leaveBook();

    SettingsStore settings(m_platform.settings);
    const WindowState& window = m_controls.window;
    settings.writeNumber(Setting::backgroundColour, m_controls.nori.backColor);
    if (window.state == WindowShowState::Normal) {
        settings.writeNumber(Setting::viewerWidth, window.width);
        settings.writeNumber(Setting::viewerHeight, window.height);
        settings.writeText(Setting::viewerWindowState, u"0"_s);
    } else if (window.state == WindowShowState::Maximized) {
        settings.writeText(Setting::viewerWindowState, u"2"_s);
    }
    m_platform.process.exit();
}

void Form1::end_Click()
{
    Form_Unload();
}

void Form1::afterSplash()
{
    const ChangeBatch::Scope changes(m_changes);
    m_controls.list1.clear();
    // From here on, the pages around the open book are the ones wanted.
    m_startPages.clear();
    // A path that is not there is said so, by name; the window stays on its empty book.
    if (!m_state.commandLine.isEmpty() &&
        bookOpening(m_state.commandLine, m_platform.files, m_platform.books).kind ==
            BookOpening::Kind::Gone) {
        const UserMessage message = Messages::missingFile(m_state.commandLine);
        m_platform.messages.show(message.title, message.text, MessageButtons::Ok);
    } else if (!m_state.commandLine.isEmpty()) {
        m_controls.list1.append(m_state.commandLine);
        dP();
    }
    // Started without a book, or refused the one it was given: the area says how to open one.
    if (!m_fields.bookOpened)
        m_controls.emptyAreaText = EmptyAreaText::noBook();
    m_startBook.reset();
    // The first pages stand where a turn to them would put them, in the window as it now is.
    refitFrame();
    m_changes.note();
}

} // namespace ruvo
