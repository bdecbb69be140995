#pragma once

// The window on a scripted platform, reached only by names, slots and
// properties, the way the widget tests look at it.

#include "fake_platform.h"
#include "window/main_window.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QTimer>

class WindowRig
{
public:
    WindowRig()
        : window(platform)
    { }

    // The platform clock reads `clock` while the window starts up.
    explicit WindowRig(QTime clock)
        : window(platformAt(clock))
    { }

    FakePlatform platform;
    frmMain window;

    template<typename T>
    T *get(const char *name) const
    {
        auto *found = window.findChild<T *>(QLatin1String(name));
        if (found == nullptr)
            qFatal("no child %s", name);
        return found;
    }

    QListWidget *list() const { return get<QListWidget>("lstDone"); }
    // Timer1 runs a single draw, Timer2 the draw-all.
    QTimer *timer(const char *name = "Timer1") const { return get<QTimer>(name); }
    QString caption() const { return get<QLabel>("lblRndZahl")->text(); }
    QString field() const { return get<QLineEdit>("txtBis")->text(); }
    qint16 variable(const char *name) const { return window.property(name).value<qint16>(); }

    QList<qint16> variables() const
    {
        QList<qint16> values;
        for (const char *name : { "intZahl", "intCounter", "intRounds", "bolRndClear",
                 "intRandomize", "bolMsgDoubles" })
            values << variable(name);
        return values;
    }

    QStringList items() const
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }

    // -1 when no row is selected.
    int selectedRow() const
    {
        const QModelIndexList rows = list()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    // The grey lamp, then the three frames of the animation.
    static constexpr const char *lampNames[] = { "Image0", "Image1(0)", "Image1(1)", "Image1(2)" };

    // The lamp images the user would see once the window is shown.
    QStringList visibleLamps() const
    {
        QStringList shown;
        for (const char *name : lampNames) {
            if (get<QLabel>(name)->isVisibleTo(&window))
                shown << QLatin1String(name);
        }
        return shown;
    }

    void setBound(const QString &text) { get<QComboBox>("cboBis")->setEditText(text); }
    void typeNumber(const QString &text) { get<QLineEdit>("txtBis")->setText(text); }
    void press() { get<QPushButton>("cmdGo")->click(); }

    // Runs `count` ticks of the single draw's timer.
    void tick(int count)
    {
        for (int i = 0; i < count; ++i)
            window.Timer1_Timer();
    }

    // Chooses a context-menu item as a person does: right press, then click.
    void choose(const QString &item)
    {
        platform.menuChoices.enqueue(item);
        window.Form_MouseDown(2, 0, 0, 0);
    }

private:
    Platform &platformAt(QTime clock)
    {
        platform.time = clock;
        return platform;
    }
};
