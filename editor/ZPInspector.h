// The one inspector panel of the application: shows the properties of the selected
// control, of a dialog as a whole, or nothing, and writes each committed edit straight
// into the inspected object. Its fields are filled only when the inspected object
// changes (and the frame fields on request, refreshFrameFields()).
//
// Input the file cannot hold is refused rather than stored as something else: a field
// whose text is not a number in its range, or a text with a character the 8-bit
// encoding lacks, writes nothing, shows the stored value again and says why in a line
// under the fields.
#pragma once

#include "ZPGeometry.h"
#include "ZPObject.h"

#include <QObject>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QVBoxLayout;
class QWidget;
class ZPZervControl;
class ZPZervDialogDocument;

namespace Ui {
class InspectorPanel;
class ControlInspector;
class DialogInspector;
} // namespace Ui

class ZPInspector : public QObject {
    Q_OBJECT

public:
    // What an edit of a control changed: its frame, its type code, its text, its item
    // identifier, or anything else (flags, bitmap identifiers, state).
    enum ControlChange { Frame, Type, Text, ItemID, Other };
    Q_ENUM(ControlChange)

    // The shared instance, made on first use and kept for the life of the process.
    static ZPInspector* defaultInspector();

    explicit ZPInspector(QObject* parent = nullptr);
    ~ZPInspector() override;

    ZPObjectRef inspectedObject() const { return inspectedObject_; }
    // Inspects a control, a document, or anything else (shown as nothing). The same
    // object again refills nothing. The inspector holds the object while inspecting it.
    void setInspectedObject(ZPObjectRef object);

    // The panel, a tool window that floats above the document windows; made on first use.
    QWidget* panel();
    // Installs a menu bar above the panel's content (the panel's layout owns it).
    void setPanelMenuBar(QMenuBar* menuBar);

    // The three content views: the no-selection view exists with the panel, the control
    // and dialog views only once a control or a document has been inspected.
    QWidget* noneInspectionView();
    QWidget* controlInspectionView() const;
    QWidget* dialogInspectionView() const;
    // The view the panel shows now.
    QWidget* currentInspectionView();

public slots:
    // Shows the panel and brings it to the front without taking the keyboard focus.
    void showWindow();
    // Re-reads only the frame fields (control or dialog) from the inspected object.
    void refreshFrameFields();
    // Re-reads the dialog view's version and control count line.
    void refreshDialogInfo();
    // Commits every field of the shown view that the user changed and has not committed
    // yet, so that nothing typed is lost when the view is refilled, a document is saved
    // or closed.
    void commitEditing();

    // Actions of the dialog view; each takes the control that sent it.
    void setTagName(QObject* sender);
    void setTagSubgroup(QObject* sender);
    void setDialogFrameMode(QObject* sender);
    void setDialogFrame(QObject* sender);

    // Actions of the control view; each takes the control that sent it.
    void setControlTag(QObject* sender);
    // The type pop-up: the sender's selected item's tag becomes the control's type.
    void setControlType(QObject* sender);
    void setControlFrameMode(QObject* sender);
    void setControlFrame(QObject* sender);
    void setControlString(QObject* sender);
    void setControlPressed(QObject* sender);
    void setControlFlags(QObject* sender);
    void setControlID(QObject* sender);
    void setControlBitmapID(QObject* sender);

signals:
    // Emitted only when an action actually changed a stored value.
    void controlChanged(ZPZervControl* control, ZPInspector::ControlChange what);
    // Tag name, subgroup or dialog frame of a document changed.
    void documentChanged(ZPZervDialogDocument* document);

private:
    using Action = void (ZPInspector::*)(QObject*);

    void loadPanel();
    void loadControlView();
    void loadDialogView();
    void buildTypeMenu();
    void connectField(QLineEdit* field, Action action);
    void showInspectionView(QWidget* view, const QString& title);

    ZPZervControl* inspectedControl() const;
    ZPZervDialogDocument* inspectedDocument() const;

    void fillControlView(const ZPZervControl& control);
    void fillControlFrameFields(const ZPZervControl& control);
    void fillDialogView(const ZPZervDialogDocument& document);
    void fillDialogFrameFields(const ZPZervDialogDocument& document);
    void fillDialogInfo(const ZPZervDialogDocument& document);

    // Reads a frame group's four fields in its mode; answers false and says why in
    // `message` for text that is not a number or edges that do not fit the file.
    static bool readFrame(QLineEdit* x, QLineEdit* y, QLineEdit* third, QLineEdit* fourth, int mode,
                          ZPRect& frame, QString& message);
    // The tag of a pop-up's selected item: its data when it has some, else its index;
    // -1 with nothing selected.
    static int popupTag(const QComboBox* popup);
    static void setFrameCaptions(int mode, QLabel* third, QLabel* fourth);
    static void refuse(QLabel* messageLine, QLineEdit* field, const QString& stored,
                       const QString& why);

    std::unique_ptr<QWidget> panel_;
    std::unique_ptr<Ui::InspectorPanel> panelUi_;
    std::unique_ptr<Ui::ControlInspector> controlUi_;
    std::unique_ptr<Ui::DialogInspector> dialogUi_;
    QWidget* controlView_ = nullptr;
    QWidget* dialogView_ = nullptr;
    QWidget* currentView_ = nullptr;
    ZPObjectRef inspectedObject_;
    // Every text field with the action that commits it.
    std::vector<std::pair<QLineEdit*, Action>> fields_;
};
