#include "bookshelf/ui/register_windows.h"

#include "bookshelf/form5.h"
#include "bookshelf/ui/register_window.h"
#include "bookshelf/ui/registration_notice_window.h"
#include "commands/control_names.h"
#include "platform/callback_modal_window_service.h"

#include <QApplication>
#include <QPointer>
#include <memory>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {

QWidget* dialogParent(QWidget* mainWindow)
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : mainWindow;
}

} // namespace

void registerRegisterWindows(CallbackModalWindowService& windows, Platform platform, ViewerState& state,
                             QWidget* mainWindow)
{
    // The register window open at the moment, whose registration the notice reports.
    auto openRegister = std::make_shared<const Form5*>(nullptr);
    QPointer<QWidget> main(mainWindow);

    windows.registerWindow(WindowName::registerBook, [platform, &state, main, openRegister] {
        Form5 logic(platform, state);
        QApplication::setOverrideCursor(Qt::BusyCursor);
        logic.Form_Load();
        QApplication::restoreOverrideCursor();
        RegisterWindow window(logic, dialogParent(main));
        *openRegister = &logic;
        window.exec();
        *openRegister = nullptr;
    });
    windows.registerWindow(WindowName::registerNotice, [main, openRegister] {
        if (!*openRegister)
            return;
        RegistrationNoticeWindow window((*openRegister)->noticeTitle(), dialogParent(main));
        window.exec();
    });
}

} // namespace ruvo
