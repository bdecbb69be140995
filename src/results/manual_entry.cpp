// Adding a typed number by hand.

#include "window/main_window.h"

#include "platform/numbers.h"

#include <QLineEdit>
#include <QListWidget>

void frmMain::cmdAdd_Click()
{
    guarded([&] {
        const QString text = txtBis->text();
        const numbers::Converted<qint16> number = numbers::tryToInt16(text);
        if (!number.ok) {
            // Blanks alone are not empty: they are refused as no number.
            if (text.isEmpty()) {
                messageBox(QStringLiteral("Eingabefeld ist leer!"), QStringLiteral("Information"),
                    Platform::Icon::Information, Platform::Buttons::Ok);
            } else {
                const QString prompt = number.failure == numbers::Failure::Overflow
                    ? QStringLiteral("Nur Zahlen von -32768 bis 32767 erlaubt!")
                    : QStringLiteral("Nur Zahlen erlaubt!");
                messageBox(prompt, QStringLiteral("Fehler!"), Platform::Icon::Critical,
                    Platform::Buttons::Ok);
            }
            txtBis->setFocus();
            return;
        }

        // The list gets the plain decimal text, never the text as typed.
        // QString::number never consults the locale: no group separators.
        const QString item = QString::number(number.value);
        if (ListContains(lstDone, item) == True) {
            messageBox(QStringLiteral("Der Eintrag ist bereits vorhanden!"),
                QStringLiteral("Information"), Platform::Icon::Information, Platform::Buttons::Ok);
            return;
        }
        if (!listHasRoom(1))
            return;
        lstDone->addItem(item);
    });
}
