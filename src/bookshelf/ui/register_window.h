#pragma once

#include <QDialog>
#include <QHash>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ruvo {

class Form5;

// The register window on screen, laid out from its twip geometry: the page,
// the title to type, and what will be stored where.
class RegisterWindow : public QDialog
{
    Q_OBJECT

public:
    explicit RegisterWindow(Form5& logic, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    QWidget* place(QWidget* widget, const QString& name);
    void syncFromLogic();
    void registerBook();

    Form5& m_logic;
    QHash<QString, QWidget*> m_parents;
    QLabel* m_preview = nullptr;
    QLineEdit* m_title = nullptr;
    QPushButton* m_ok = nullptr;
    QLabel* m_number = nullptr;
    QLabel* m_guidance = nullptr;
};

} // namespace ruvo
