#pragma once

// Tells a screen reader about a change away from the keyboard focus, such as
// a committed number while the focus stays on the draw button. Screen readers
// speak an announcement; a changed label text they do not. Before Qt 6.8,
// which has no announcement, Linux screen readers speak a notification that
// appears (e2e test_orca), and Windows ones the text of a value change, as
// UI Automation's notification event (tst_accessibility under Wine).

#include <QWidget>

class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &text);
};
