#pragma once

#include <QWidget>

class QTimer;

namespace ruvo {

// The small window shown while the program starts; its timer hands over to
// the main window once.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SplashWindow(int delayMs, QWidget* parent = nullptr);

    static QString versionText();

Q_SIGNALS:
    void timerElapsed();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer* m_timer;
};

} // namespace ruvo
