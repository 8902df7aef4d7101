#include "ui/widgets/TabbedDialog.h"

namespace tavo {

CTabbedDialog::CTabbedDialog(int templateId, const QString& caption, Document* document, QWidget* parent)
    : CEnterDialog(document, parent), templateId_(templateId) {
    setWindowFlags(Qt::Widget);
    setWindowTitle(caption);
    setEnabled(false);
    hide();
}

bool CTabbedDialog::LoadPage(int) { return UpdateData(false); }

bool CTabbedDialog::SavePage(bool validate) { return IsPageInactive() || !validate || UpdateData(true); }

}  // namespace tavo
