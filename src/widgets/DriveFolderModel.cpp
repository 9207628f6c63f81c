#include "widgets/DriveFolderModel.h"

#include <QDir>

#include <mutex>
#include <thread>

namespace parvo {

struct DriveFolderModel::Node {
    QString path; // drive roots end in "/", folders do not
    QString text;
    Node* parent = nullptr;
    int row = 0;
    bool drive = false;
    enum class State { Unread, Reading, Read } state = State::Unread;
    std::vector<std::unique_ptr<Node>> children;
};

struct DriveFolderModel::Owner {
    std::mutex lock;
    DriveFolderModel* model = nullptr;
};

namespace {

QString DriveText(const DriveInfo& d)
{
    QString root = d.root;
    if (root.size() > 1 && root.endsWith(QLatin1Char('/')))
        root.chop(1);
    QString text = QString(d.letter) + QStringLiteral(":  ") + root;
    if (!d.label.isEmpty())
        text += QStringLiteral("  [") + d.label + QLatin1Char(']');
    return text;
}

QString Child(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

DriveFolderModel::DriveFolderModel(QIcon driveIcon, QIcon folderIcon, QObject* parent)
    : QAbstractItemModel(parent)
    , driveIcon_(std::move(driveIcon))
    , folderIcon_(std::move(folderIcon))
    , owner_(std::make_shared<Owner>())
{
    owner_->model = this;
}

DriveFolderModel::~DriveFolderModel()
{
    const std::lock_guard<std::mutex> hold(owner_->lock);
    owner_->model = nullptr;
}

void DriveFolderModel::SetDrives(const QList<DriveInfo>& drives)
{
    drives_ = drives;
    Refresh();
}

void DriveFolderModel::Refresh()
{
    beginResetModel();
    // Reads of the rows that go now answer to no one.
    ++generation_;
    roots_.clear();
    for (const DriveInfo& d : drives_) {
        if (!d.exists() || d.root.isEmpty())
            continue;
        auto node = std::make_unique<Node>();
        node->path = d.root.endsWith(QLatin1Char('/')) ? d.root : d.root + QLatin1Char('/');
        node->text = DriveText(d);
        node->drive = true;
        node->row = int(roots_.size());
        roots_.push_back(std::move(node));
    }
    endResetModel();
}

QString DriveFolderModel::FilePath(const QModelIndex& index) const
{
    const Node* node = NodeOf(index);
    return node ? node->path : QString();
}

DriveFolderModel::Node* DriveFolderModel::NodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : nullptr;
}

QModelIndex DriveFolderModel::IndexOf(const Node* node) const
{
    return node ? createIndex(node->row, 0, const_cast<Node*>(node)) : QModelIndex();
}

QModelIndex DriveFolderModel::index(int row, int column, const QModelIndex& parent) const
{
    const auto& list = parent.isValid() ? NodeOf(parent)->children : roots_;
    if (column != 0 || row < 0 || row >= int(list.size()))
        return {};
    return createIndex(row, 0, list[size_t(row)].get());
}

QModelIndex DriveFolderModel::parent(const QModelIndex& child) const
{
    const Node* node = NodeOf(child);
    return node ? IndexOf(node->parent) : QModelIndex();
}

int DriveFolderModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return int(parent.isValid() ? NodeOf(parent)->children.size() : roots_.size());
}

int DriveFolderModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant DriveFolderModel::data(const QModelIndex& index, int role) const
{
    const Node* node = NodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole: return node->text;
    case Qt::DecorationRole: return node->drive ? driveIcon_ : folderIcon_;
    case Qt::ToolTipRole: return node->drive ? QVariant(node->path) : QVariant();
    case PathRole: return node->path;
    default: return {};
    }
}

bool DriveFolderModel::hasChildren(const QModelIndex& parent) const
{
    const Node* node = NodeOf(parent);
    if (!node)
        return !roots_.empty();
    // Unread folders may hold folders: the view offers to open them.
    return node->state != Node::State::Read || !node->children.empty();
}

bool DriveFolderModel::canFetchMore(const QModelIndex& parent) const
{
    const Node* node = NodeOf(parent);
    return node && node->state == Node::State::Unread;
}

void DriveFolderModel::fetchMore(const QModelIndex& parent)
{
    if (Node* node = NodeOf(parent); node && node->state == Node::State::Unread)
        Read(node);
}

void DriveFolderModel::Read(Node* node)
{
    node->state = Node::State::Reading;
    const QString folder = node->path;
    const quint64 generation = generation_;
    std::thread([owner = owner_, folder, generation, node] {
        const QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                         QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
        const std::lock_guard<std::mutex> hold(owner->lock);
        if (DriveFolderModel* model = owner->model)
            QMetaObject::invokeMethod(model, [model, generation, node, names] { model->Filled(generation, node, names); },
                                      Qt::QueuedConnection);
    }).detach();
}

void DriveFolderModel::Filled(quint64 generation, Node* node, const QStringList& names)
{
    // The node lives as long as its generation does.
    if (generation != generation_ || node->state != Node::State::Reading)
        return;
    node->state = Node::State::Read;
    const QModelIndex at = IndexOf(node);
    if (names.isEmpty()) {
        emit dataChanged(at, at); // no longer offered for opening
    } else {
        beginInsertRows(at, 0, int(names.size()) - 1);
        for (const QString& name : names) {
            auto child = std::make_unique<Node>();
            child->path = Child(node->path, name);
            child->text = name;
            child->parent = node;
            child->row = int(node->children.size());
            node->children.push_back(std::move(child));
        }
        endInsertRows();
    }
    ContinueReveal();
}

void DriveFolderModel::Reveal(const QString& path)
{
    revealing_ = QDir::cleanPath(path);
    ContinueReveal();
}

void DriveFolderModel::ContinueReveal()
{
    if (revealing_.isEmpty())
        return;
    // The drive that holds the path most closely.
    Node* node = nullptr;
    for (const auto& root : roots_) {
        const QString bare = root->path.size() > 1 ? root->path.chopped(1) : root->path;
        if ((revealing_ == bare || revealing_.startsWith(root->path))
            && (!node || root->path.size() > node->path.size()))
            node = root.get();
    }
    if (!node) {
        revealing_.clear();
        return;
    }
    const QStringList parts = revealing_.mid(node->path.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (node->state != Node::State::Read) {
            if (node->state == Node::State::Unread)
                Read(node);
            return; // on again when it has been read
        }
        auto found = std::find_if(node->children.begin(), node->children.end(),
                                  [&](const std::unique_ptr<Node>& c) { return c->text == part; });
        if (found == node->children.end()) {
            revealing_.clear();
            return;
        }
        node = found->get();
    }
    revealing_.clear();
    emit Revealed(IndexOf(node));
}

} // namespace parvo
