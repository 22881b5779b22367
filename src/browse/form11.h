#pragma once

#include "platform/platform.h"

#include <QHash>
#include <QString>

namespace ruvo {

class Form10;

// The new-folder window's logic: makes a sub-folder of the chooser's folder
// and moves the chooser into it.
class Form11
{
public:
    Form11(Platform platform, Form10& chooser);

    // Gives the name box and the buttons their font.
    void Form_Load();

    // The name typed for the new folder.
    const QString& text1() const { return m_text1; }
    void setText1(const QString& text) { m_text1 = text; }

    // OK: creates the folder; a failure is reported and the window stays open.
    void Command1_Click();
    // Cancel: closes, making nothing.
    void Command2_Click() { m_open = false; }
    // A typed character: Enter (13) acts as OK; the others are typed.
    void Text1_KeyPress(int keyAscii);

    bool isOpen() const { return m_open; }
    const QHash<QString, QString>& fontNames() const { return m_fontNames; }

    static QString caption();

private:
    Platform m_platform;
    Form10& m_chooser;
    QString m_text1;
    QHash<QString, QString> m_fontNames;
    bool m_open = true;
};

} // namespace ruvo
