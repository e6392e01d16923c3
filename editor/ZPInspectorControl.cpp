// The inspector's control view: filling it from a control, and its actions.
#include "ZPInspector.h"

#include "ZPInspectorCodeText.h"
#include "ZPInspectorControlDefinitions.h"
#include "ZPNumberText.h"
#include "ZPTextEncoding.h"
#include "ZPZervControl.h"
#include "ui_ControlInspector.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QString textOf(QObject* sender) {
    const auto* field = qobject_cast<QLineEdit*>(sender);
    return field ? field->text() : QString();
}

// The bitmap state a bitmap field edits: the low 16 bits of its tag.
uint16_t stateOfField(const QObject* field) {
    return uint16_t(uint32_t(field->property("tag").toInt()) & 0xFFFFu);
}

} // namespace

void ZPInspector::loadControlView() {
    if (controlView_)
        return;
    loadPanel();
    controlView_ = new QWidget(panel_.get());
    controlView_->hide();
    controlUi_ = std::make_unique<Ui::ControlInspector>();
    controlUi_->setupUi(controlView_);
    // It keeps the size it was designed with, or more when its fields need it.
    controlView_->setFixedSize(controlView_->size().expandedTo(controlView_->minimumSizeHint()));
    buildTypeMenu();

    Ui::ControlInspector& ui = *controlUi_;
    connect(ui.tagPopup, &QComboBox::activated, this,
            [this] { setControlType(controlUi_->tagPopup); });
    connect(ui.cboxmode, &QComboBox::activated, this,
            [this] { setControlFrameMode(controlUi_->cboxmode); });
    connect(ui.pressedButton, &QAbstractButton::clicked, this,
            [this] { setControlPressed(controlUi_->pressedButton); });
    connectField(ui.tagField, &ZPInspector::setControlTag);
    connectField(ui.stringField, &ZPInspector::setControlString);
    connectField(ui.flagsField, &ZPInspector::setControlFlags);
    connectField(ui.idField, &ZPInspector::setControlID);
    connectField(ui.onField, &ZPInspector::setControlBitmapID);
    connectField(ui.offField, &ZPInspector::setControlBitmapID);
    for (QLineEdit* field : {ui.cx, ui.cy, ui.cw, ui.ch})
        connectField(field, &ZPInspector::setControlFrame);
}

void ZPInspector::buildTypeMenu() {
    QComboBox* popup = controlUi_->tagPopup;
    popup->clear();
    for (const ZPControlDefinition& definition :
         ZPReadControlDefinitions(QStringLiteral(":/inspector/ControlDefinitions.plist")))
        popup->addItem(definition.title, QVariant::fromValue<uint>(definition.tag));
    popup->setCurrentIndex(-1);
}

void ZPInspector::fillControlView(const ZPZervControl& control) {
    loadControlView();
    Ui::ControlInspector& ui = *controlUi_;
    ui.tagPopup->setCurrentIndex(ui.tagPopup->findData(QVariant::fromValue<uint>(control.tag())));
    ui.tagField->setText(ZPCodeText(control.tag()));
    ui.stringField->setText(text(control.string()));
    ui.pressedButton->setChecked(control.state() != 0);
    ui.flagsField->setText(text(ZPIntegerText(control.flags())));
    ui.idField->setText(text(ZPIntegerText(control.itemID())));
    ui.onField->setText(text(ZPIntegerText(control.bitmapIDForState(1))));
    ui.offField->setText(text(ZPIntegerText(control.bitmapIDForState(0))));
    fillControlFrameFields(control);
    ui.controlMessage->clear();
}

void ZPInspector::fillControlFrameFields(const ZPZervControl& control) {
    if (!controlUi_)
        return;
    Ui::ControlInspector& ui = *controlUi_;
    const ZPRect frame = control.frame();
    ui.cx->setText(text(ZPFloatText(frame.x)));
    ui.cy->setText(text(ZPFloatText(frame.y)));
    const int mode = popupTag(ui.cboxmode);
    if (mode == 0) {
        ui.cw->setText(text(ZPFloatText(frame.width)));
        ui.ch->setText(text(ZPFloatText(frame.height)));
    } else if (mode == 1) {
        ui.cw->setText(text(ZPFloatText(ZPMaxX(frame))));
        ui.ch->setText(text(ZPFloatText(ZPMaxY(frame))));
    }
}

void ZPInspector::setControlTag(QObject* sender) {
    ZPZervControl* control = inspectedControl();
    auto* field = qobject_cast<QLineEdit*>(sender);
    if (!control || !field)
        return;
    uint32_t code = 0;
    QString bad;
    if (!ZPCodeFromText(field->text(), code, &bad)) {
        refuse(controlUi_->controlMessage, field, ZPCodeText(control->tag()),
               tr("A type code cannot hold “%1”.").arg(bad));
        return;
    }
    controlUi_->controlMessage->clear();
    const uint32_t before = control->tag();
    control->setTag(code);
    QComboBox* popup = controlUi_->tagPopup;
    popup->setCurrentIndex(popup->findData(QVariant::fromValue<uint>(code)));
    // A longer text was cut to its first four characters: show what was stored.
    if (ZPCodeText(code) != field->text())
        field->setText(ZPCodeText(code));
    if (control->tag() != before)
        emit controlChanged(control, Type);
}

void ZPInspector::setControlType(QObject* sender) {
    ZPZervControl* control = inspectedControl();
    auto* popup = qobject_cast<QComboBox*>(sender);
    if (!control || !popup || popup->currentIndex() < 0)
        return;
    const uint32_t code = uint32_t(popup->itemData(popup->currentIndex()).toUInt());
    const uint32_t before = control->tag();
    control->setTag(code);
    if (controlUi_) {
        controlUi_->tagField->setText(ZPCodeText(code));
        controlUi_->controlMessage->clear();
    }
    if (control->tag() != before)
        emit controlChanged(control, Type);
}

void ZPInspector::setControlFrameMode(QObject* sender) {
    auto* popup = qobject_cast<QComboBox*>(sender);
    if (!popup || !controlUi_)
        return;
    setFrameCaptions(popupTag(popup), controlUi_->cws, controlUi_->chs);
}

void ZPInspector::setControlFrame(QObject*) {
    ZPZervControl* control = inspectedControl();
    if (!control || !controlUi_)
        return;
    Ui::ControlInspector& ui = *controlUi_;
    ZPRect frame;
    QString why;
    if (!readFrame(ui.cx, ui.cy, ui.cw, ui.ch, popupTag(ui.cboxmode), frame, why)) {
        fillControlFrameFields(*control);
        refuse(ui.controlMessage, nullptr, QString(), why);
        return;
    }
    ui.controlMessage->clear();
    const ZPBounds before = control->data().bounds();
    control->setFrame(frame);
    if (control->data().bounds() != before)
        emit controlChanged(control, Frame);
}

void ZPInspector::setControlString(QObject* sender) {
    ZPZervControl* control = inspectedControl();
    auto* field = qobject_cast<QLineEdit*>(sender);
    if (!control || !field)
        return;
    const std::string typed = field->text().toStdString();
    std::string encoded;
    char32_t bad = 0;
    if (!ZPEncode8Bit(typed, encoded, &bad)) {
        refuse(controlUi_->controlMessage, field, text(control->string()),
               tr("“%1” cannot be stored in a dialog file.").arg(QString::fromUcs4(&bad, 1)));
        return;
    }
    controlUi_->controlMessage->clear();
    if (typed == control->string())
        return;
    control->setString(typed);
    emit controlChanged(control, Text);
}

void ZPInspector::setControlPressed(QObject* sender) {
    ZPZervControl* control = inspectedControl();
    if (!control)
        return;
    int on = 0;
    if (const auto* box = qobject_cast<QCheckBox*>(sender))
        on = box->checkState() != Qt::Unchecked;
    else if (const auto* button = qobject_cast<QAbstractButton*>(sender))
        on = button->isChecked();
    else
        return;
    const uint16_t before = control->state();
    control->setState(on ? 1 : 0);
    if (control->state() != before)
        emit controlChanged(control, Other);
}

void ZPInspector::setControlFlags(QObject* sender) {
    ZPZervControl* control = inspectedControl();
    auto* field = qobject_cast<QLineEdit*>(sender);
    if (!control || !field)
        return;
    const std::optional<int32_t> value = ZPParseInteger(textOf(sender).toStdString(), 0, 65535);
    if (!value) {
        refuse(controlUi_->controlMessage, field, text(ZPIntegerText(control->flags())),
               tr("Flags must be a whole number from 0 to 65535."));
        return;
    }
    controlUi_->controlMessage->clear();
    const uint16_t before = control->flags();
    control->setFlags(uint16_t(*value));
    if (control->flags() != before)
        emit controlChanged(control, Other);
}

void ZPInspector::setControlID(QObject* sender) {
    ZPZervControl* control = inspectedControl();
    auto* field = qobject_cast<QLineEdit*>(sender);
    if (!control || !field)
        return;
    const std::optional<int32_t> value =
        ZPParseInteger(textOf(sender).toStdString(), -32768, 32767);
    if (!value) {
        refuse(controlUi_->controlMessage, field, text(ZPIntegerText(control->itemID())),
               tr("The item ID must be a whole number from -32768 to 32767."));
        return;
    }
    controlUi_->controlMessage->clear();
    const int16_t before = control->itemID();
    control->setItemID(int16_t(*value));
    if (control->itemID() != before)
        emit controlChanged(control, ItemID);
}

void ZPInspector::setControlBitmapID(QObject* sender) {
    ZPZervControl* control = inspectedControl();
    auto* field = qobject_cast<QLineEdit*>(sender);
    if (!control || !field)
        return;
    const uint16_t state = stateOfField(field);
    const std::optional<int32_t> value =
        ZPParseInteger(textOf(sender).toStdString(), -32768, 32767);
    if (!value) {
        refuse(controlUi_->controlMessage, field,
               text(ZPIntegerText(control->bitmapIDForState(state))),
               tr("A bitmap ID must be a whole number from -32768 to 32767."));
        return;
    }
    controlUi_->controlMessage->clear();
    const int16_t before = control->bitmapIDForState(state);
    control->setBitmapIDForState(int16_t(*value), state);
    if (control->bitmapIDForState(state) != before)
        emit controlChanged(control, Other);
}
