#pragma once

// Tells a screen reader about a change away from the keyboard focus, such as
// a committed number while the focus stays on the draw button. Screen readers
// speak a notification when it appears; a changed label text they do not.

#include <QWidget>

class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &text);
};
