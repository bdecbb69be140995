#pragma once

// Tells a screen reader about a change away from the keyboard focus, such as
// a committed number while the focus stays on the draw button. Screen readers
// speak an announcement (or, before Qt 6.8, a notification that appears);
// a changed label text they do not.

#include <QWidget>

class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &text);
};
