#pragma once

#include "ui/widgets/TabbedDialog.h"

class QLineEdit;

namespace tavo {

// The components page. It holds the heading of the listing (two title lines
// and the number of its first page) above the components and their elements.
class DlgAllgemein : public CTabbedDialog {
    Q_OBJECT

public:
    explicit DlgAllgemein(Document& document, QWidget* parent = nullptr);

    bool LoadPage(int) override;

protected:
    void DoDataExchange(DataExchange& dx) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Document& document_;
    QLineEdit* titleLine1_;
    QLineEdit* titleLine2_;
    QLineEdit* startPage_;
};

}  // namespace tavo
