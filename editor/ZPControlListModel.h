// The hierarchy list's model: a flat list that asks the document's data-source
// operations for everything it shows, and keeps no rows of its own, so a reset after
// each change of the control list is all it takes to stay in step.
#pragma once

#include <QAbstractItemModel>

#include <unordered_map>

class ZPZervDialogEditorDocument;
class ZPZervControl;

class ZPControlListModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit ZPControlListModel(ZPZervDialogEditorDocument* document, QObject* parent = nullptr);

    // The control list changed (added, removed, reloaded).
    void reload();
    // One control's row text may have changed.
    void controlChanged(const ZPZervControl* control);

    QModelIndex indexForControl(const ZPZervControl* control) const;
    ZPZervControl* controlAtIndex(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void rebuildRows();

    ZPZervDialogEditorDocument* document_;
    // Row of each control, so that selecting many controls stays linear.
    std::unordered_map<const ZPZervControl*, int> rows_;
};
