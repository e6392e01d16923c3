// The window side of a dialog document: its hierarchy and contents windows, the
// canvas's delegate, the list's data source, and the link between the canvas, the
// list and the shared inspector. Every edit reaches the model through one of a few
// entry points here, each of which marks the document edited.
#pragma once

#include "ZPContentsWindow.h"
#include "ZPDocument.h"
#include "ZPLayoutView.h"
#include "ZPLayoutViewDelegate.h"
#include "ZPZervDialogDocument.h"

#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QTreeView>

class ZPControlListModel;
struct ZPNotification;

// Text of a list row, by the kind of item.
QString ZPControlListText(const ZPObject* item);

class ZPZervDialogEditorDocument final : public ZPDocument,
                                         public ZPZervDialogDocument,
                                         public ZPLayoutViewDelegate {
    Q_OBJECT
public:
    ZPZervDialogEditorDocument();
    ~ZPZervDialogEditorDocument() override;

    // Platform document.
    bool readFromData(const QByteArray& data, QString* error) override;
    bool dataOfType(QByteArray& data, QString* error) const override;
    void makeWindowControllers() override;
    void close() override;

    // Windows, once made.
    QWidget* heirarchyWindow() const;
    ZPContentsWindow* contentsWindow() const { return contentsWindow_; }
    QTreeView* controlList() const { return controlList_; }
    ZPLayoutView* layoutView() const { return layoutView_; }

    // Notification handlers.
    void updateSelection(const void* sender);
    void dialogChangedSize();
    void respondToObjectDeleted(const ZPNotification& notification);

    // Interface actions.
    void newControl();
    // Deletes the canvas's selection, as the Delete key on the canvas does.
    void deleteSelection();

    // Layout view delegate.
    ZPRect frameForObject(ZPObject* object) override;
    void drawObjectClipRect(ZPObject* object, const ZPRect& clipRect, QPainter& painter) override;
    bool respondsToSetFrameForObject() const override { return true; }
    void setFrameForObject(const ZPRect& frame, ZPObject* object) override;
    // Moves and resizes that would push an edge out of the file's 16-bit range are
    // refused: stored, that edge would wrap around to the other end.
    bool respondsToShouldMoveObjectToNewFrame() const override { return true; }
    bool shouldMoveObjectToNewFrame(ZPObject* object, const ZPRect& frame) override;
    bool respondsToShouldResizeObjectToNewFrame() const override { return true; }
    bool shouldResizeObjectToNewFrame(ZPObject* object, const ZPRect& frame) override;
    bool respondsToShouldDeleteObject() const override { return true; }
    bool shouldDeleteObject(ZPObject* object) override;

    // Outline data source: a flat list of the controls.
    int outlineViewNumberOfChildrenOfItem(const ZPObject* item) const;
    ZPZervControl* outlineViewChildOfItem(int index, const ZPObject* item) const;
    bool outlineViewIsItemExpandable(const ZPObject* item) const;
    QString outlineViewObjectValueForTableColumnByItem(int column, const ZPObject* item) const;
    bool outlineViewShouldEditTableColumnItem(int column, const ZPObject* item) const;

protected:
    void contentsWindowSetContentSize(ZPSize size) override;
    void didRevert() override;

private:
    void placeWindows(QWidget* heirarchy, QWidget* contents);
    void subscribe();
    void subscribeToList();
    void unsubscribeFromList();
    void subscribeToCanvas();
    void registerControlsWithCanvas();
    void controlListChanged();
    void noteEdit();
    void inspectorChangedControl(ZPZervControl* control, int what);
    void retargetInspectorAwayFrom(const ZPObject* leaving);
    // This document as the canvas, the list and the inspector refer to it.
    const ZPObject* modelObject() const { return static_cast<const ZPZervDialogDocument*>(this); }
    bool inspectorShowsThisDocument() const;
    // Shows the canvas's selection in the list, without the list telling it back.
    void showCanvasSelectionInList();
    std::shared_ptr<ZPZervDialogEditorDocument> self();

    QPointer<ZPContentsWindow> contentsWindow_;
    QPointer<QWidget> heirarchyWindow_;
    QPointer<QTreeView> controlList_;
    QPointer<ZPLayoutView> layoutView_;
    ZPControlListModel* listModel_ = nullptr;
    QMetaObject::Connection listSubscription_;
    QMetaObject::Connection resizeSubscription_;
};
