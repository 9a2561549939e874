#include "catmast.h"

#include "frmcategory.h"

#include "ui/combobox.h"
#include "ui/textbox.h"
#include "ui/twips.h"

#include <QGridLayout>
#include <QLabel>

namespace masters {

FrmCatMast::FrmCatMast() : DetailDialog(QStringLiteral("CatMast"), QStringLiteral("Category Details"), 5) {}

FrmCatMast::~FrmCatMast() = default;

void FrmCatMast::createFields(QWidget* area)
{
    Label1 = new QLabel(QStringLiteral("Category :"), area);
    Label1->setObjectName(QStringLiteral("Label1"));
    Txtname = new ui::TextBox(area, QStringLiteral("Txtname"));
    Txtname->setAccessibleName(QStringLiteral("Category"));
    Label1->setBuddy(Txtname);

    Label2 = new QLabel(QStringLiteral("Select Parent Category"), area);
    Label2->setObjectName(QStringLiteral("Label2"));
    cmbParent = new ui::ComboBox(area, QStringLiteral("cmbParent"));
    cmbParent->setAccessibleName(QStringLiteral("Select Parent Category"));
    cmbParent->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbParent->setMinimumContentsLength(20);
    Label2->setBuddy(cmbParent);

    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(ui::toPixels(240), ui::toPixels(240), ui::toPixels(240), ui::toPixels(120));
    grid->setHorizontalSpacing(ui::toPixels(150));
    grid->setVerticalSpacing(ui::toPixels(150));
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Txtname, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(cmbParent, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
}

void FrmCatMast::FillCatg()
{
    if (cmbParent)
        fillParentCombo(*cmbParent, Cat);
}

void FrmCatMast::FillData()
{
    if (Txtname)
        Txtname->setText(Cat.Catname);
    // A parent that is no longer in the list leaves "No Parent Category":
    // such a category is a top-level one.
    if (cmbParent)
        cmbParent->selectByData(Cat.ParentCategory);
}

void FrmCatMast::copyToRecord()
{
    Cat.Catname = Txtname ? Txtname->text() : QString();
    Cat.ParentCategory = cmbParent ? int(cmbParent->selectedData()) : 0;
}

void FrmCatMast::ClearClass()
{
    Cat.Catname.clear();
    Cat.ParentCategory = 0;
}

QList<QWidget*> FrmCatMast::keyFields() const { return {Txtname.data()}; }

QList<QWidget*> FrmCatMast::fieldFrames() const { return {cmbParent.data()}; }

}  // namespace masters
