// The inspector's dialog view: filling it from a document, and its actions.
#include "ZPInspector.h"

#include "ZPInspectorCodeText.h"
#include "ZPNumberText.h"
#include "ZPTextEncoding.h"
#include "ZPZervDialogDocument.h"
#include "ui_DialogInspector.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QString storedName(const ZPZervDialogDocument& document) {
    return text(document.tagName().value_or(std::string()));
}

} // namespace

void ZPInspector::loadDialogView() {
    if (dialogView_)
        return;
    loadPanel();
    dialogView_ = new QWidget(panel_.get());
    dialogView_->hide();
    dialogUi_ = std::make_unique<Ui::DialogInspector>();
    dialogUi_->setupUi(dialogView_);
    dialogView_->setFixedSize(dialogView_->size().expandedTo(dialogView_->minimumSizeHint()));

    Ui::DialogInspector& ui = *dialogUi_;
    connect(ui.dboxmode, &QComboBox::activated, this,
            [this] { setDialogFrameMode(dialogUi_->dboxmode); });
    connectField(ui.tag_name, &ZPInspector::setTagName);
    connectField(ui.tag_subgroup, &ZPInspector::setTagSubgroup);
    for (QLineEdit* field : {ui.dx, ui.dy, ui.dw, ui.dh})
        connectField(field, &ZPInspector::setDialogFrame);
}

void ZPInspector::fillDialogView(const ZPZervDialogDocument& document) {
    loadDialogView();
    Ui::DialogInspector& ui = *dialogUi_;
    ui.tag_name->setText(storedName(document));
    ui.tag_subgroup->setText(ZPCodeText(document.subgroup()));
    fillDialogFrameFields(document);
    fillDialogInfo(document);
    ui.dialogMessage->clear();
}

void ZPInspector::fillDialogInfo(const ZPZervDialogDocument& document) {
    // The version shown is always 1, whatever the file's records say.
    dialogUi_->dialog_info->setText(
        tr("Version %1, %2 controls.").arg(1).arg(document.controlCount()));
}

void ZPInspector::refreshDialogInfo() {
    if (const ZPZervDialogDocument* document = inspectedDocument())
        fillDialogInfo(*document);
}

void ZPInspector::fillDialogFrameFields(const ZPZervDialogDocument& document) {
    if (!dialogUi_)
        return;
    Ui::DialogInspector& ui = *dialogUi_;
    const ZPRect frame = document.dialogFrame();
    ui.dx->setText(text(ZPFloatText(frame.x)));
    ui.dy->setText(text(ZPFloatText(frame.y)));
    const int mode = popupTag(ui.dboxmode);
    if (mode == 0) {
        ui.dw->setText(text(ZPFloatText(frame.width)));
        ui.dh->setText(text(ZPFloatText(frame.height)));
    } else if (mode == 1) {
        ui.dw->setText(text(ZPFloatText(ZPMaxX(frame))));
        ui.dh->setText(text(ZPFloatText(ZPMaxY(frame))));
    }
}

void ZPInspector::setTagName(QObject* sender) {
    ZPZervDialogDocument* document = inspectedDocument();
    auto* field = qobject_cast<QLineEdit*>(sender);
    if (!document || !field)
        return;
    const std::string typed = field->text().toStdString();
    std::string encoded;
    char32_t bad = 0;
    if (!ZPEncode8Bit(typed, encoded, &bad)) {
        refuse(dialogUi_->dialogMessage, field, storedName(*document),
               tr("“%1” cannot be stored in a dialog file.").arg(QString::fromUcs4(&bad, 1)));
        return;
    }
    const ZPTagHeader before = document->header();
    if (!document->setTagName(typed)) {
        refuse(dialogUi_->dialogMessage, field, storedName(*document),
               tr("This dialog has no tag header to hold a name."));
        return;
    }
    dialogUi_->dialogMessage->clear();
    // A name longer than the field holds was cut: show what was stored.
    if (storedName(*document) != field->text())
        field->setText(storedName(*document));
    if (document->header().bytes != before.bytes)
        emit documentChanged(document);
}

void ZPInspector::setTagSubgroup(QObject* sender) {
    ZPZervDialogDocument* document = inspectedDocument();
    auto* field = qobject_cast<QLineEdit*>(sender);
    if (!document || !field)
        return;
    uint32_t code = 0;
    QString bad;
    if (!ZPCodeFromText(field->text(), code, &bad)) {
        refuse(dialogUi_->dialogMessage, field, ZPCodeText(document->subgroup()),
               tr("A subgroup code cannot hold “%1”.").arg(bad));
        return;
    }
    dialogUi_->dialogMessage->clear();
    const uint32_t before = document->subgroup();
    document->setSubgroup(code);
    if (ZPCodeText(document->subgroup()) != field->text())
        field->setText(ZPCodeText(document->subgroup()));
    if (document->subgroup() != before)
        emit documentChanged(document);
}

void ZPInspector::setDialogFrameMode(QObject* sender) {
    auto* popup = qobject_cast<QComboBox*>(sender);
    if (!popup || !dialogUi_)
        return;
    setFrameCaptions(popupTag(popup), dialogUi_->dws, dialogUi_->dhs);
}

void ZPInspector::setDialogFrame(QObject*) {
    ZPZervDialogDocument* document = inspectedDocument();
    if (!document || !dialogUi_)
        return;
    Ui::DialogInspector& ui = *dialogUi_;
    ZPRect frame;
    QString why;
    if (!readFrame(ui.dx, ui.dy, ui.dw, ui.dh, popupTag(ui.dboxmode), frame, why)) {
        fillDialogFrameFields(*document);
        refuse(ui.dialogMessage, nullptr, QString(), why);
        return;
    }
    ui.dialogMessage->clear();
    const ZPBounds before = document->dialog().bounds();
    // Also sizes the document's contents window, when it has one.
    document->setDialogFrame(frame);
    if (document->dialog().bounds() != before)
        emit documentChanged(document);
}
