// The menu tree and the context menu: on a right press where the window
// offers it, and from the keyboard (Menu key, Shift+F10) at the focused
// control. The window has this one menu: the toolkit's own edit and scroll
// menus never open, every control's policy prevents them.

#include "window/main_window.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>

namespace {

QAction *addCommand(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

// Qt's own values of the left, right and middle button are 1, 2 and 4.
qint16 buttonValue(Qt::MouseButton button)
{
    const Qt::MouseButtons known = Qt::LeftButton | Qt::RightButton | Qt::MiddleButton;
    return static_cast<qint16>((known & button).toInt());
}

// Shift, Ctrl and Alt are Qt's modifier bits 25, 26 and 27.
qint16 shiftValue(Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers known = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    return static_cast<qint16>((modifiers & known).toInt() >> 25);
}

} // namespace

void frmMain::createMenus()
{
    // mnuFile is the root of the context menu; it never appears as a menu bar.
    mnuFile = new QMenu(QStringLiteral("File"), this);
    mnuFile->setObjectName(QStringLiteral("mnuFile"));

    QMenu *edit = mnuFile->addMenu(QStringLiteral("Bearbeiten"));
    edit->menuAction()->setObjectName(QStringLiteral("mnuEdit"));
    edit->setObjectName(QStringLiteral("mnuEditMenu"));
    mnuCut = addCommand(edit, "mnuCut", QStringLiteral("Auschneiden"));
    mnuCopy = addCommand(edit, "mnuCopy", QStringLiteral("Kopieren"));
    mnuPaste = addCommand(edit, "mnuPaste", QStringLiteral("Einfügen"));
    edit->addSeparator()->setObjectName(QStringLiteral("mnuLine0"));
    QAction *listCopy = addCommand(edit, "mnuListCopy", QStringLiteral("Liste kopieren"));
    edit->addSeparator()->setObjectName(QStringLiteral("mnuLine1"));
    QAction *random = addCommand(edit, "mnuRandom", QStringLiteral("Alle Zahlen erzeugen"));

    QAction *reset = addCommand(mnuFile, "mnuReset", QStringLiteral("Reset"));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuLine2"));
    mnuDoppelt = addCommand(mnuFile, "mnuDoppelt", QStringLiteral("Meldung bei doppelten Zahlen"));
    mnuDoppelt->setCheckable(true);
    mnuDoppelt->setChecked(true);
    mnuDoppelt->setEnabled(false);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuLine3"));
    QAction *about = addCommand(mnuFile, "mnuAbout", QStringLiteral("Über..."));

    connect(listCopy, &QAction::triggered, this, &frmMain::mnuListCopy_Click);
    connect(random, &QAction::triggered, this, &frmMain::mnuRandom_Click);
    connect(reset, &QAction::triggered, this, &frmMain::mnuReset_Click);
    // QAction::activate flips a checkable item's mark before triggered()
    // arrives, but mnuDoppelt_Click decides by the mark as it was: put it back
    // first.
    connect(mnuDoppelt, &QAction::triggered, this, [this](bool checked) {
        mnuDoppelt->setChecked(!checked);
        mnuDoppelt_Click();
    });
    connect(about, &QAction::triggered, this, &frmMain::mnuAbout_Click);

    for (const QKeySequence &keys :
        { QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10) }) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this] {
            QWidget *focused = focusWidget();
            guarded([&] { showContextMenuAt(focused != nullptr ? focused : this); });
        });
    }

    txtBis->installEventFilter(this);
    // No control, nor any part of one (the combo box's text, the list's scroll
    // bars), opens a menu of the toolkit's own (tst_accessibility:
    // shouldOpenNoToolkitMenu). A right press on a control, unlike one on a
    // label or a picture, must not reach the window, which would open ours
    // (tst_startup: shouldOpenContextMenuOnlyOnRightPress; its row "right in
    // txtBis" saw two menus on Qt 6.11 without this).
    for (QWidget *control : findChildren<QWidget *>()) {
        if (qobject_cast<QMenu *>(control) == nullptr)
            control->setContextMenuPolicy(Qt::PreventContextMenu);
        if (control->parentWidget() == this && qobject_cast<QLabel *>(control) == nullptr)
            control->setAttribute(Qt::WA_NoMousePropagation);
    }
}

void frmMain::ShowContextMenu(const qint16 &button)
{
    if (button == 2)
        popupMenu(std::nullopt);
}

void frmMain::showContextMenuAt(QWidget *control)
{
    // Below the control's left edge: next to what has the focus, whatever
    // the mouse pointer is doing.
    popupMenu(control->mapToGlobal(QPoint(0, control->height())));
}

void frmMain::Form_MouseDown(qint16 button, qint16 /*shift*/, float /*x*/, float /*y*/)
{
    guarded([&] { ShowContextMenu(button); });
}

void frmMain::txtBis_MouseDown(qint16 button, qint16 /*shift*/, float /*x*/, float /*y*/)
{
    guarded([&] { ShowContextMenu(button); });
}

void frmMain::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    Form_MouseDown(buttonValue(event->button()), shiftValue(event->modifiers()),
        static_cast<float>(at.x()), static_cast<float>(at.y()));
    event->accept();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtBis && event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        const QPointF at = press->position();
        txtBis_MouseDown(buttonValue(press->button()), shiftValue(press->modifiers()),
            static_cast<float>(at.x()), static_cast<float>(at.y()));
        // The field still places its cursor as usual.
        return false;
    }
    return QWidget::eventFilter(watched, event);
}
