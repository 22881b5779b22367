#pragma once

#include <QWidget>

class QTimer;

namespace ruvo {

// The small window shown while the program starts; its timer hands over to
// the main window once. It says when it has first been drawn, so that the rest of the
// start-up can go on behind it.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SplashWindow(int delayMs, QWidget* parent = nullptr);

    static QString versionText();

Q_SIGNALS:
    void timerElapsed();
    void drawn();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer* m_timer;
    bool m_drawn = false;
};

} // namespace ruvo
