#pragma once

#include <QObject>

#include <array>

class QLabel;
class QStatusBar;

namespace tavo {

// The status bar's indicators of caps lock, num lock and scroll lock ("UF",
// "NUM", "RF"). Each shows its text while its lock is on. Where the system does
// not tell the state, the text stands greyed.
class LockKeyIndicators : public QObject {
    Q_OBJECT

public:
    explicit LockKeyIndicators(QStatusBar* bar);

    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QLabel*, 3> labels_{};
};

}  // namespace tavo
