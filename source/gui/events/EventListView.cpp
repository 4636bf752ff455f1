#include "gui/events/EventListView.h"

#include "core/entities/EventTemplate.h"
#include "core/options/paAppIni.h"
#include "core/options/paConfigUtils.h"
#include "core/util/paText.h"
#include "gui/models/EventFilterModel.h"
#include "gui/models/EventListModel.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QHash>
#include <QHeaderView>
#include <QImageReader>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

namespace kelvo {

namespace {

QIcon StandardEventIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 70, 0), 2));
    p.setBrush(QColor(255, 200, 60));
    // A bell.
    QPainterPath bell;
    bell.moveTo(6, 24);
    bell.cubicTo(9, 20, 8, 6, 16, 5);
    bell.cubicTo(24, 6, 23, 20, 26, 24);
    bell.closeSubpath();
    p.drawPath(bell);
    p.drawEllipse(QPointF(16, 27), 2.5, 2.5);
    p.end();
    return QIcon(pixmap);
}

// The picture of the event's icon file, read once; null when it has none that can be read.
QIcon OwnIcon(const TEvent& event) {
    static QHash<QString, QIcon> loaded;
    const QString file = QString::fromStdString(DisplayText(event.IconFileName()));
    if (file.isEmpty())
        return {};
    const auto found = loaded.constFind(file);
    if (found != loaded.constEnd())
        return *found;
    QIcon icon;
    if (QFileInfo(file).isFile() && QImageReader(file).canRead())
        icon = QIcon(file);
    loaded.insert(file, icon);
    return icon;
}

} // namespace

QIcon EventRowIcon(const TEvent& event) {
    static const QIcon standard = StandardEventIcon();
    const QIcon own = OwnIcon(event);
    return own.isNull() ? standard : own;
}

QIcon TemplateRowIcon(const TEventTemplate& t) {
    const QIcon own = OwnIcon(t);
    return own.isNull() ? QApplication::style()->standardIcon(QStyle::SP_DirIcon) : own;
}

TEventListView::TEventListView(TEventListModel& source, const QString& name, QWidget* parent)
    : QStackedWidget(parent), rows_(new TEventFilterModel(this)), tree_(new QTreeView(this)),
      icons_(new QListView(this)) {
    setObjectName(name);
    rows_->setSourceModel(&source);

    tree_->setObjectName(name + QStringLiteral("Details"));
    tree_->setAccessibleName(name);
    tree_->setRootIsDecorated(false);
    tree_->setUniformRowHeights(true);
    tree_->setAllColumnsShowFocus(true);
    tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setModel(rows_);
    tree_->setDragEnabled(true);
    tree_->setDragDropMode(QAbstractItemView::DragOnly);
    QHeaderView* header = tree_->header();
    header->setSectionsMovable(true);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(true);
    // A translated caption longer than the default width widens its column.
    for (int column = 0; column < TEventListModel::ColumnCount; ++column)
        header->resizeSection(
            column,
            std::max(TEventListModel::DefaultWidth(column),
                     header->fontMetrics().horizontalAdvance(TEventListModel::Caption(column)) +
                         header->style()->pixelMetric(QStyle::PM_HeaderMargin) * 4 + 16));
    tree_->setSortingEnabled(true);
    SortBy(0, true);

    icons_->setObjectName(name + QStringLiteral("Icons"));
    icons_->setAccessibleName(name);
    icons_->setModel(rows_);
    icons_->setDragEnabled(true);
    icons_->setDragDropMode(QAbstractItemView::DragOnly);
    icons_->setSelectionModel(tree_->selectionModel());
    icons_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    icons_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    icons_->setResizeMode(QListView::Adjust);
    icons_->setUniformItemSizes(true);

    addWidget(tree_);
    addWidget(icons_);
    setCurrentWidget(tree_);

    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(tree_), static_cast<QAbstractItemView*>(icons_)}) {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
            if (TEvent* event = rows_->EventAt(index.row()))
                emit eventActivated(*event);
            else if (rows_->TemplateAt(index.row()))
                emit templateActivated();
        });
    }
    connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TEventListView::selectionChanged);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TEventListView::selectionChanged);
}

QWidget* TEventListView::ShownView() const {
    return style_ == Details ? static_cast<QWidget*>(tree_) : icons_;
}

void TEventListView::SetStyle(TStyle style) {
    const bool focused = HasFocus();
    style_ = style;
    switch (style) {
    case LargeIcons:
        icons_->setViewMode(QListView::IconMode);
        icons_->setIconSize(QSize(32, 32));
        icons_->setFlow(QListView::LeftToRight);
        icons_->setGridSize(QSize(96, 64));
        icons_->setWordWrap(true);
        break;
    case SmallIcons:
        icons_->setViewMode(QListView::ListMode);
        icons_->setIconSize(QSize(16, 16));
        icons_->setFlow(QListView::LeftToRight);
        icons_->setGridSize(QSize(160, 20));
        icons_->setWrapping(true);
        break;
    case List:
        icons_->setViewMode(QListView::ListMode);
        icons_->setIconSize(QSize(16, 16));
        icons_->setFlow(QListView::TopToBottom);
        icons_->setGridSize(QSize(200, 20));
        icons_->setWrapping(true);
        break;
    case Details:
        break;
    }
    // Icons are not moved about: a drag takes the event to a template.
    icons_->setMovement(QListView::Static);
    setCurrentWidget(ShownView());
    if (focused)
        ShownView()->setFocus();
}

int TEventListView::SortColumn() const {
    return tree_->header()->sortIndicatorSection();
}

bool TEventListView::SortAscending() const {
    return tree_->header()->sortIndicatorOrder() == Qt::AscendingOrder;
}

void TEventListView::SortBy(int column, bool ascending) {
    tree_->sortByColumn(std::clamp(column, 0, TEventListModel::ColumnCount - 1),
                        ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

std::vector<TEvent*> TEventListView::SelectedEvents() const {
    QModelIndexList selected = tree_->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<TEvent*> events;
    for (const QModelIndex& index : selected)
        if (TEvent* event = rows_->EventAt(index.row()))
            events.push_back(event);
    return events;
}

TEvent* TEventListView::CurrentEvent() const {
    const QModelIndex current = tree_->selectionModel()->currentIndex();
    if (current.isValid() && tree_->selectionModel()->isRowSelected(current.row()))
        return rows_->EventAt(current.row());
    const std::vector<TEvent*> selected = SelectedEvents();
    return selected.empty() ? nullptr : selected.front();
}

bool TEventListView::SelectEvent(const TEvent& event, bool focus) {
    const int row = rows_->RowOf(&event);
    if (row < 0)
        return false;
    const QModelIndex index = rows_->index(row, 0);
    tree_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    tree_->scrollTo(index);
    icons_->scrollTo(index);
    if (focus)
        ShownView()->setFocus();
    return true;
}

TEventTemplate* TEventListView::CurrentTemplate() const {
    const QModelIndex current = tree_->selectionModel()->currentIndex();
    if (!current.isValid() || !tree_->selectionModel()->isRowSelected(current.row()))
        return nullptr;
    return rows_->TemplateAt(current.row());
}

bool TEventListView::SelectTemplate(const TEventTemplate* t, bool focus) {
    for (int row = 0; t && row < rows_->rowCount(); ++row) {
        if (rows_->TemplateAt(row) != t)
            continue;
        const QModelIndex index = rows_->index(row, 0);
        tree_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
        tree_->scrollTo(index);
        icons_->scrollTo(index);
        if (focus)
            ShownView()->setFocus();
        return true;
    }
    return false;
}

void TEventListView::SelectFirstWhenNone() {
    if (rows_->rowCount() > 0 && !tree_->selectionModel()->hasSelection())
        tree_->selectionModel()->setCurrentIndex(
            rows_->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int TEventListView::EventRowCount() const {
    if (!rows_->ShowsTemplates())
        return rows_->rowCount();
    int events = 0;
    for (int row = 0; row < rows_->rowCount(); ++row)
        events += rows_->EventAt(row) != nullptr;
    return events;
}

bool TEventListView::HasFocus() const {
    return tree_->hasFocus() || icons_->hasFocus();
}

void TEventListView::SaveState(TAppIni& ini, const std::string& path) const {
    const QHeaderView* header = tree_->header();
    TListViewState state;
    state.ViewStyle = style_;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        state.Order.push_back(logical);
        state.Widths.push_back(header->isSectionHidden(logical) ? 0 : header->sectionSize(logical));
    }
    SaveSortState(ini, "View", path, SortColumn(), SortAscending());
    SaveListViewState(ini, "View", path, state);
}

void TEventListView::LoadState(TAppIni& ini, const std::string& path) {
    TListViewState state;
    state.ViewStyle = style_;
    for (int column = 0; column < TEventListModel::ColumnCount; ++column) {
        state.Order.push_back(column);
        state.Widths.push_back(tree_->header()->sectionSize(column));
    }
    // Widths are bounded by what a screen can show, not by this list's size before it is laid
    // out.
    LoadListViewState(ini, "View", path, state, 10000);
    QHeaderView* header = tree_->header();
    std::vector<bool> placed(TEventListModel::ColumnCount, false);
    int visual = 0;
    for (std::size_t i = 0; i < state.Order.size(); ++i) {
        const int logical = state.Order[i];
        if (placed[static_cast<std::size_t>(logical)])
            continue; // a hand-edited order naming a column twice
        placed[static_cast<std::size_t>(logical)] = true;
        header->moveSection(header->visualIndex(logical), visual++);
        const int width = state.Widths[i];
        header->setSectionHidden(logical, width == 0 && logical != 0);
        if (width > 0)
            header->resizeSection(logical, width);
    }
    SetStyle(static_cast<TStyle>(state.ViewStyle));
    int column = 0;
    bool ascending = true;
    LoadSortState(ini, "View", path, TEventListModel::ColumnCount, column, ascending);
    SortBy(column, ascending);
}

bool TEventListView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && (watched == tree_ || watched == icons_)) {
        SelectFirstWhenNone();
    } else if (event->type() == QEvent::KeyPress && (watched == tree_ || watched == icons_)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (CurrentTemplate())
                    emit templateActivated();
                else if (TEvent* current = CurrentEvent())
                    emit eventActivated(*current);
                return true;
            case Qt::Key_Delete:
                emit deletePressed();
                return true;
            case Qt::Key_Backspace:
                emit backPressed();
                return true;
            default:
                break;
            }
        }
    } else if (event->type() == QEvent::ContextMenu && menu_) {
        auto* context = static_cast<QContextMenuEvent*>(event);
        menu_->popup(context->globalPos());
        return true;
    }
    return QStackedWidget::eventFilter(watched, event);
}

} // namespace kelvo
