#pragma once

#include <QDialog>
#include <functional>

namespace ruvo {

class Form11;

// The new-folder window on screen: a name and OK or Cancel; Enter in the name
// acts as OK.
class NewFolderWindow : public QDialog
{
    Q_OBJECT

public:
    explicit NewFolderWindow(Form11& logic, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void run(const std::function<void()>& step);

    Form11& m_logic;
};

} // namespace ruvo
