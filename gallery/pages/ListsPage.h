#ifndef LISTSPAGE_H
#define LISTSPAGE_H

#include "GalleryPage.h"

class QLabel;
class QListView;
class QSortFilterProxyModel;
class QTimeEdit;
class UxAutoScrollListView;
class UxAutoTimeEidt;
class UxComboboxViewItemDelegate;
class UxDelegateComboBox;
class UxLineEditWithToolbutton;

// A playlist of a few hundred clips in an auto-scrolling list with edge buttons and
// hover scrolling, a host-style indicator of what lies beyond either edge and page
// buttons; a proxy-quality drop-down drawn by the row delegate with our own check
// mark; a search field whose embedded button clears it; and a clip position editor
// that steps by the unit under the cursor within a range set beside it.
class ListsPage : public GalleryPage
{
    Q_OBJECT

public:
    explicit ListsPage(QWidget *parent = nullptr);
    void refresh() override;

protected:
    void showEvent(QShowEvent *event) override;

private Q_SLOTS:
    void showAbove(bool isNeed);
    void showBelow(bool isNeed);
    void showEntered(const QModelIndex &index);
    void countComboLeaves();
    void filterClips(const QString &text);
    void applyRange();
    void showPosition();

private:
    QWidget *makeListColumn();
    QWidget *makeInputs();
    void showLeaves();

    QSortFilterProxyModel *m_clips;
    UxAutoScrollListView *m_list;
    QLabel *m_above;
    QLabel *m_below;
    QLabel *m_entered;
    bool m_pagedIn = false;
    UxDelegateComboBox *m_quality;
    UxComboboxViewItemDelegate *m_qualityRows;
    QLabel *m_comboLeaves;
    QListView *m_qualityPreview;
    int m_leaves = 0;
    UxLineEditWithToolbutton *m_search;
    UxAutoTimeEidt *m_position;
    QTimeEdit *m_minimum;
    QTimeEdit *m_maximum;
    QLabel *m_positionText;
};

#endif // LISTSPAGE_H
