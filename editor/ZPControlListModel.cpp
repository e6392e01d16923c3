#include "ZPControlListModel.h"

#include "ZPZervDialogEditorDocument.h"

ZPControlListModel::ZPControlListModel(ZPZervDialogEditorDocument* document, QObject* parent)
    : QAbstractItemModel(parent), document_(document) {
    rebuildRows();
}

void ZPControlListModel::rebuildRows() {
    rows_.clear();
    const auto& controls = document_->controls();
    for (size_t row = 0; row < controls.size(); ++row)
        rows_.emplace(controls[row].get(), int(row));
}

void ZPControlListModel::reload() {
    beginResetModel();
    rebuildRows();
    endResetModel();
}

void ZPControlListModel::controlChanged(const ZPZervControl* control) {
    const QModelIndex i = indexForControl(control);
    if (i.isValid())
        emit dataChanged(i, i, {Qt::DisplayRole});
}

QModelIndex ZPControlListModel::indexForControl(const ZPZervControl* control) const {
    const auto it = rows_.find(control);
    return it == rows_.end() ? QModelIndex() : createIndex(it->second, 0);
}

ZPZervControl* ZPControlListModel::controlAtIndex(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return document_->outlineViewChildOfItem(index.row(), nullptr);
}

QModelIndex ZPControlListModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || column != 0 || row < 0 ||
        row >= document_->outlineViewNumberOfChildrenOfItem(nullptr))
        return {};
    return createIndex(row, column);
}

QModelIndex ZPControlListModel::parent(const QModelIndex&) const {
    return {};
}

int ZPControlListModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return document_->outlineViewNumberOfChildrenOfItem(nullptr);
    return document_->outlineViewNumberOfChildrenOfItem(controlAtIndex(parent));
}

int ZPControlListModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool ZPControlListModel::hasChildren(const QModelIndex& parent) const {
    if (!parent.isValid())
        return rowCount() > 0;
    return document_->outlineViewIsItemExpandable(controlAtIndex(parent));
}

QVariant ZPControlListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    const ZPZervControl* control = controlAtIndex(index);
    if (!control)
        return {};
    return document_->outlineViewObjectValueForTableColumnByItem(index.column(), control);
}

QVariant ZPControlListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == 0)
        return tr("Controls");
    return {};
}

Qt::ItemFlags ZPControlListModel::flags(const QModelIndex& index) const {
    if (!controlAtIndex(index))
        return Qt::NoItemFlags;
    // No cell of the list is editable.
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (document_->outlineViewShouldEditTableColumnItem(index.column(), controlAtIndex(index)))
        f |= Qt::ItemIsEditable;
    return f;
}
