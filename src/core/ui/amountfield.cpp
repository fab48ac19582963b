#include "amountfield.h"

#include "core/numberformat.h"
#include "core/texthelpers.h"

#include <QLineEdit>
#include <QVariant>

namespace zorva {

namespace {
const char *const ShownText = "zorvaAmountShownText";
const char *const ShownValue = "zorvaAmountShownValue";
}  // namespace

void showAmount(QLineEdit *edit, double value, const QString &format)
{
    const QString text = FormatFloat(format, value);
    edit->setText(text);
    edit->setProperty(ShownText, text);
    edit->setProperty(ShownValue, value);
}

double amountToStore(const QLineEdit *edit, double fallback)
{
    const QVariant shown = edit->property(ShownText);
    if (shown.isValid() && edit->text() == shown.toString())
        return edit->property(ShownValue).toDouble();
    return ParseAmount(edit->text(), fallback);
}

}  // namespace zorva
