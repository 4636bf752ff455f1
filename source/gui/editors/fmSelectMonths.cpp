#include "gui/editors/fmSelectMonths.h"

#include <QCheckBox>
#include <QGridLayout>

namespace kelvo {

TSelectMonthsForm::TSelectMonthsForm(QWidget* owner, const QString& caption, int helpTopic)
    : TEditorDialog(owner, caption, helpTopic) {
    static const char* const names[12] = {"YearlyJan", "YearlyFeb", "YearlyMar", "YearlyApr",
                                          "YearlyMay", "YearlyJun", "YearlyJul", "YearlyAug",
                                          "YearlySep", "YearlyOct", "YearlyNov", "YearlyDec"};
    auto* grid = new QGridLayout;
    for (int m = 0; m < 12; ++m) {
        // Access keys 1 to 9 and 0; November and December take their name's first letter.
        QString prefix;
        if (m < 9)
            prefix = QStringLiteral("&%1. ").arg(m + 1);
        else if (m == 9)
            prefix = QStringLiteral("1&0. ");
        else
            prefix = QStringLiteral("%1. &").arg(m + 1);
        const QString name = QText(CurrentLocale().LongMonthName(static_cast<TMonthName>(m)));
        auto* box = new QCheckBox(prefix + name, this);
        box->setObjectName(QString::fromLatin1(names[m]));
        box->setAccessibleName(name);
        boxes_[static_cast<std::size_t>(m)] = box;
        grid->addWidget(box, m % 6, m / 6);
    }
    Body().addLayout(grid);
}

void TSelectMonthsForm::SetMonths(TMonths months) {
    for (int m = 0; m < 12; ++m)
        Box(m).setChecked(months.Contains(static_cast<TMonthName>(m)));
}

TMonths TSelectMonthsForm::Months() const {
    TMonths months;
    for (int m = 0; m < 12; ++m)
        if (Box(m).isChecked())
            months.Include(static_cast<TMonthName>(m));
    return months;
}

bool SelectMonths(QWidget* owner, TMonthDialog& months) {
    TSelectMonthsForm dialog(owner, months.Caption, months.HelpContext);
    dialog.SetMonths(months.Months);
    if (!dialog.Run())
        return false;
    months.Months = dialog.Months();
    return true;
}

} // namespace kelvo
