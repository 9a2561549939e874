#include "custmast.h"

#include "ui/combobox.h"
#include "ui/textbox.h"
#include "ui/twips.h"

#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace masters {

namespace {

// Lays out one frame as rows of label and field.
class Rows {
public:
    explicit Rows(QGroupBox* frame) : frame_(frame), grid_(new QGridLayout(frame))
    {
        grid_->setHorizontalSpacing(ui::toPixels(120));
        grid_->setVerticalSpacing(ui::toPixels(75));
        grid_->setColumnStretch(1, 1);
    }

    ui::TextBox* box(const QString& label, const QString& name)
    {
        auto* b = new ui::TextBox(frame_, name);
        add(label, b);
        return b;
    }
    ui::ComboBox* combo(const QString& label, const QString& name)
    {
        auto* c = new ui::ComboBox(frame_, name);
        add(label, c);
        return c;
    }
    void finish() { grid_->setRowStretch(row_, 1); }

private:
    void add(const QString& label, QWidget* field)
    {
        // A second line of the same field has no label of its own.
        if (!label.isEmpty()) {
            auto* l = new QLabel(label, frame_);
            l->setBuddy(field);
            grid_->addWidget(l, row_, 0);
            field->setAccessibleName(label);
            lastLabel_ = label;
        } else {
            field->setAccessibleName(lastLabel_ + QStringLiteral(" (second line)"));
        }
        grid_->addWidget(field, row_, 1);
        ++row_;
    }

    QGroupBox* frame_;
    QGridLayout* grid_;
    int row_ = 0;
    QString lastLabel_;
};

}  // namespace

FrmCustMast::FrmCustMast() : DetailDialog(QStringLiteral("CustMast"), QStringLiteral("Customer Info"), 8) {}

FrmCustMast::~FrmCustMast() = default;

void FrmCustMast::createFields(QWidget* area)
{
    auto* outer = new QVBoxLayout(area);
    outer->setContentsMargins(ui::toPixels(180), ui::toPixels(150), ui::toPixels(180), ui::toPixels(60));

    fraBilling = new QGroupBox(QStringLiteral(" Billing Info "), area);
    fraBilling->setObjectName(QStringLiteral("fraBilling"));
    outer->addWidget(fraBilling);

    auto* billing = new QVBoxLayout(fraBilling);
    billing->setSpacing(ui::toPixels(120));

    auto* nameRow = new QHBoxLayout;
    auto* nameLabel = new QLabel(QStringLiteral("Customer Name"), fraBilling);
    TxtCname = new ui::TextBox(fraBilling, QStringLiteral("TxtCname"));
    TxtCname->setAccessibleName(QStringLiteral("Customer Name"));
    nameLabel->setBuddy(TxtCname);
    nameRow->addWidget(nameLabel);
    nameRow->addSpacing(ui::toPixels(120));
    nameRow->addWidget(TxtCname, 1);
    billing->addLayout(nameRow);

    auto* frames = new QHBoxLayout;
    frames->setSpacing(ui::toPixels(180));
    billing->addLayout(frames, 1);

    fraAddress = new QGroupBox(QStringLiteral(" Address Info "), fraBilling);
    fraAddress->setObjectName(QStringLiteral("fraAddress"));
    Rows address(fraAddress);
    TxtBstreet1 = address.box(QStringLiteral("Street Address"), QStringLiteral("TxtBstreet1"));
    TxtBstreet2 = address.box(QString(), QStringLiteral("TxtBstreet2"));
    TxtBcity = address.box(QStringLiteral("City"), QStringLiteral("TxtBcity"));
    CmbBState = address.combo(QStringLiteral("State"), QStringLiteral("CmbBState"));
    TxtBZip = address.box(QStringLiteral("Zip Code"), QStringLiteral("TxtBZip"));
    TxtBCountry = address.box(QStringLiteral("Country"), QStringLiteral("TxtBCountry"));
    address.finish();
    frames->addWidget(fraAddress, 1);

    fraContact = new QGroupBox(QStringLiteral(" Contact Info "), fraBilling);
    fraContact->setObjectName(QStringLiteral("fraContact"));
    Rows contact(fraContact);
    TxtBPhone = contact.box(QStringLiteral("Phone"), QStringLiteral("TxtBPhone"));
    TxtBfax = contact.box(QStringLiteral("Fax"), QStringLiteral("TxtBfax"));
    TxtBMobile = contact.box(QStringLiteral("Mobile"), QStringLiteral("TxtBMobile"));
    TxtBEmail = contact.box(QStringLiteral("Email"), QStringLiteral("TxtBEmail"));
    TxtBUrl = contact.box(QStringLiteral("URL"), QStringLiteral("TxtBUrl"));
    // Addresses are long: a whole usual one shows.
    TxtBEmail->setVisibleCharacters(40);
    TxtBUrl->setVisibleCharacters(40);
    contact.finish();
    frames->addWidget(fraContact, 1);

    QWidget* order[] = {TxtCname,    TxtBstreet1, TxtBstreet2, TxtBcity,   CmbBState, TxtBZip,
                        TxtBCountry, TxtBPhone,   TxtBfax,     TxtBMobile, TxtBEmail, TxtBUrl};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void FrmCustMast::ClearClass()
{
    Cust.CustName.clear();
    Cust.BStreet1.clear();
    Cust.BStreet2.clear();
    Cust.BCity.clear();
    Cust.BState = 0;
    Cust.BZip.clear();
    Cust.BCountry.clear();
    Cust.BFax.clear();
    Cust.BPhone.clear();
    Cust.BMobile.clear();
    Cust.BEmail.clear();
    Cust.BUrl.clear();
    Cust.BCCNo.clear();
    Cust.ExpDate = QDate::currentDate();
}

void FrmCustMast::FillState()
{
    if (!CmbBState)
        return;
    CmbBState->clear();
    if (CmbBState->addRows(Cust.GetComboState()) > 0)
        CmbBState->setListIndex(0);
}

void FrmCustMast::FillData()
{
    if (!TxtCname)
        return;
    TxtCname->setText(Cust.CustName);
    TxtBstreet1->setText(Cust.BStreet1);
    TxtBstreet2->setText(Cust.BStreet2);
    TxtBcity->setText(Cust.BCity);
    TxtBZip->setText(Cust.BZip);
    TxtBCountry->setText(Cust.BCountry);
    TxtBPhone->setText(Cust.BPhone);
    TxtBfax->setText(Cust.BFax);
    TxtBMobile->setText(Cust.BMobile);
    TxtBEmail->setText(Cust.BEmail);
    TxtBUrl->setText(Cust.BUrl);
    FillState();
    // No match (a new customer's 0, a state no longer listed): the first
    // state stays selected.
    CmbBState->selectByData(Cust.BState);
}

void FrmCustMast::copyToRecord()
{
    if (!TxtCname)
        return;
    // Taken as typed: no trimming.
    Cust.CustName = TxtCname->text();
    Cust.BStreet1 = TxtBstreet1->text();
    Cust.BStreet2 = TxtBstreet2->text();
    Cust.BCity = TxtBcity->text();
    Cust.BState = int(CmbBState->selectedData());
    Cust.BZip = TxtBZip->text();
    Cust.BCountry = TxtBCountry->text();
    Cust.BFax = TxtBfax->text();
    Cust.BPhone = TxtBPhone->text();
    Cust.BMobile = TxtBMobile->text();
    Cust.BEmail = TxtBEmail->text();
    Cust.BUrl = TxtBUrl->text();
}

QList<QWidget*> FrmCustMast::keyFields() const { return {TxtCname.data()}; }

QList<QWidget*> FrmCustMast::fieldFrames() const { return {fraAddress.data(), fraContact.data()}; }

}  // namespace masters
