#pragma once

// The window on a scripted platform, reached only by names, slots and
// getters, the way the widget tests look at it, with the steps of a draw
// and message boxes as comparable lines.

#include "fake_platform.h"
#include "window/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTime>
#include <QTimer>

#include <iterator>

// A message box as one line, so that a mismatch shows every part of it.
inline QString boxText(const QString &prompt, const QString &title, Platform::Icon icon,
    Platform::Buttons buttons = Platform::Buttons::Ok)
{
    return QStringLiteral("%1 | %2 | icon %3 | buttons %4")
        .arg(prompt, title)
        .arg(static_cast<int>(icon))
        .arg(static_cast<int>(buttons));
}

// 1..last as decimal texts, the form the list holds them in, without `except`.
inline QStringList numbersUpTo(int last, int except = 0)
{
    QStringList texts;
    for (int i = 1; i <= last; ++i) {
        if (i != except)
            texts << QString::number(i);
    }
    return texts;
}

// A random value from the middle of the slice that draws k from 1..n.
inline float valueFor(int k, int n)
{
    return (static_cast<float>(k) - 0.5F) / static_cast<float>(n);
}

// A warning from the window's start to the end of the test function fails
// the test, but for the offscreen platform's notes on what it cannot do
// (raise a popup, grab the keyboard).
struct FailOnWarnings
{
    FailOnWarnings()
    {
        QTest::failOnWarning(
            QRegularExpression(QStringLiteral("^(?!This plugin does not support )")));
    }
};

class WindowRig : private FailOnWarnings
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

    // The six state variables.
    QList<qint16> variables() const
    {
        return { window.zahl(), window.counter(), window.rounds(), window.rndClear(),
            window.randomizeSeed(), window.msgDoubles() };
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

    // -1 when only the grey lamp shows, 0..2 when only that frame shows, -2
    // for any other mix.
    int lamp() const
    {
        const QStringList shown = visibleLamps();
        for (int i = 0; shown.size() == 1 && i < int(std::size(lampNames)); ++i) {
            if (shown.first() == QLatin1String(lampNames[i]))
                return i - 1;
        }
        return -2;
    }

    QStringList shownBoxes() const
    {
        QStringList texts;
        for (const ShownBox &box : platform.boxes)
            texts << boxText(box.prompt, box.title, box.icon, box.buttons);
        return texts;
    }

    // Everything a draw may change, in one comparable line.
    QString state() const
    {
        return QStringLiteral("items [%1] txtBis '%2' caption '%3' timer %4 zahl %5 counter %6 "
                              "rounds %7 lamp %8 seeds %9")
            .arg(items().join(QLatin1Char(',')), field(), caption())
            .arg(int(timer()->isActive()))
            .arg(window.zahl())
            .arg(window.counter())
            .arg(window.rounds())
            .arg(lamp())
            .arg(platform.seeds.size());
    }

    void setBound(const QString &text) { get<QComboBox>("cboBis")->setEditText(text); }
    void typeNumber(const QString &text) { get<QLineEdit>("txtBis")->setText(text); }
    void press() { get<QPushButton>("cmdGo")->click(); }

    void addByHand(const QString &text)
    {
        typeNumber(text);
        get<QPushButton>("cmdAdd")->click();
    }

    // Ticks the box, answering the question that comes with it.
    void skipDuplicates(Platform::Answer answer)
    {
        platform.answers.enqueue(answer);
        get<QCheckBox>("chkRndClear")->click();
    }

    // The next draw gives k of 1..n.
    void queue(int k, int n = 10) { platform.randomValues.enqueue(valueFor(k, n)); }

    // Runs `count` ticks of the single draw's timer.
    void tick(int count)
    {
        for (int i = 0; i < count; ++i)
            window.Timer1_Timer();
    }

    // Ticks a running single draw up to its commit, which comes at round 12;
    // false if the draw still runs then.
    bool finishDraw()
    {
        for (int left = 13 - window.rounds(); left > 0 && timer()->isActive(); --left)
            window.Timer1_Timer();
        return !timer()->isActive();
    }

    // Draws k of 1..n and lets the animation run to its commit.
    bool drawAndCommit(int k, int n = 10)
    {
        queue(k, n);
        press();
        return finishDraw();
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
