#include "browse/ui/folder_chooser_windows.h"

#include "browse/form10.h"
#include "browse/form11.h"
#include "browse/ui/folder_chooser_window.h"
#include "browse/ui/new_folder_window.h"
#include "commands/control_names.h"
#include "platform/callback_modal_window_service.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <memory>

namespace ruvo {

using namespace Qt::StringLiterals;

namespace {

// The chooser is opened over the bookshelf, itself modal over the main window.
QWidget* dialogParent(QWidget* mainWindow)
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : mainWindow;
}

} // namespace

void registerFolderChooser(CallbackModalWindowService& windows, Platform platform, ViewerState& state,
                           QWidget* mainWindow)
{
    // The chooser open at the moment, whose folder a new folder is made in.
    auto openChooser = std::make_shared<Form10*>(nullptr);
    QPointer<QWidget> main(mainWindow);

    windows.registerWindow(WindowName::shelfFolder, [platform, &state, main, openChooser] {
        Form10 logic(platform, state);
        logic.Form_Load(QDir::currentPath());
        FolderChooserWindow window(logic, dialogParent(main));
        *openChooser = &logic;
        window.exec();
        *openChooser = nullptr;
    });
    windows.registerWindow(WindowName::newFolder, [platform, main, openChooser] {
        if (!*openChooser)
            return;
        Form11 logic(platform, **openChooser);
        logic.Form_Load();
        NewFolderWindow window(logic, dialogParent(main));
        window.exec();
    });
}

} // namespace ruvo
