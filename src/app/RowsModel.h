#pragma once

#include <QAbstractListModel>
#include <QList>

// A list model over plain rows. New rows replace the old in place when their number stays, so
// the views keep their delegates (and what is drawn in them) from one redraw to the next.
template<typename Row> class RowsModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    const QList<Row> &rows() const { return m_rows; }

    void setRows(const QList<Row> &rows)
    {
        if (rows.size() != m_rows.size()) {
            beginResetModel();
            m_rows = rows;
            endResetModel();
            rowsReplaced();
            return;
        }
        for (qsizetype i = 0; i < rows.size(); ++i)
            if (!(rows[i] == m_rows[i])) {
                m_rows[i] = rows[i];
                emit dataChanged(index(int(i)), index(int(i)));
            }
    }

protected:
    // After a change in the number of rows.
    virtual void rowsReplaced() {}

    const Row *rowAt(const QModelIndex &index) const
    {
        return checkIndex(index, CheckIndexOption::IndexIsValid) ? &m_rows[index.row()] : nullptr;
    }

private:
    QList<Row> m_rows;
};
