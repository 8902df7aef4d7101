#include "app/gui/LockKeyIndicators.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tavo {
namespace {

struct LockKey {
    const char* text;
    Qt::Key key;
    const char* ledSuffix;  // the name ending of the keyboard LEDs under /sys/class/leds
    int virtualKey;         // Windows
};

constexpr LockKey kLockKeys[] = {
    {"UF", Qt::Key_CapsLock, "::capslock", 0x14},
    {"NUM", Qt::Key_NumLock, "::numlock", 0x90},
    {"RF", Qt::Key_ScrollLock, "::scrolllock", 0x91},
};

std::optional<bool> isLockOn(const LockKey& lock) {
#ifdef Q_OS_WIN
    return (GetKeyState(lock.virtualKey) & 1) != 0;
#else
    // Linux has no per-application query; the keyboards' LEDs show the state.
    const QDir leds(QStringLiteral("/sys/class/leds"));
    const QStringList names = leds.entryList({QStringLiteral("*") + QString::fromUtf8(lock.ledSuffix)}, QDir::Dirs | QDir::System);
    if (names.isEmpty()) return std::nullopt;
    for (const QString& name : names) {
        QFile brightness(leds.filePath(name + QStringLiteral("/brightness")));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed() != "0") return true;
    }
    return false;
#endif
}

}  // namespace

LockKeyIndicators::LockKeyIndicators(QStatusBar* bar) : QObject(bar) {
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        auto* label = new QLabel(QString::fromUtf8(kLockKeys[i].text));
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("NUM")) + 16);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addPermanentWidget(label);
        labels_[i] = label;
    }
    refresh();
    qApp->installEventFilter(this);
}

void LockKeyIndicators::refresh() {
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const std::optional<bool> on = isLockOn(kLockKeys[i]);
        labels_[i]->setEnabled(on.has_value());
        labels_[i]->setText(on.value_or(true) ? QString::fromUtf8(kLockKeys[i].text) : QString());
    }
}

bool LockKeyIndicators::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ApplicationActivate) refresh();
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        for (const LockKey& lock : kLockKeys)
            if (key == lock.key) refresh();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tavo
