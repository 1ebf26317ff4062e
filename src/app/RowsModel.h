// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractListModel>
#include <QList>

// A list model over plain rows, each role read from a row by a function of its own. New rows
// replace the old in place when their number stays, so the views keep their delegates (and what
// is drawn in them) from one redraw to the next. The views' models publish them as QObject:
// Qt 6.4's QML tools know no list model type, and a view needs none to use one.
template<typename Row> class RowsModel : public QAbstractListModel {
public:
    struct Role {
        QByteArray name;
        QVariant (*read)(const Row &);
    };

    RowsModel(QList<Role> roles, QObject *parent) : QAbstractListModel(parent), m_roles(roles) {}

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        const qsizetype which = role - Qt::UserRole;
        if (!checkIndex(index, CheckIndexOption::IndexIsValid) || which < 0 ||
            which >= m_roles.size())
            return {};
        return m_roles[which].read(m_rows[index.row()]);
    }
    QHash<int, QByteArray> roleNames() const override
    {
        QHash<int, QByteArray> names;
        for (qsizetype i = 0; i < m_roles.size(); ++i)
            names.insert(Qt::UserRole + int(i), m_roles[i].name);
        return names;
    }

    const QList<Row> &rows() const { return m_rows; }
    void setRows(const QList<Row> &rows)
    {
        if (rows.size() != m_rows.size()) {
            beginResetModel();
            m_rows = rows;
            endResetModel();
            return;
        }
        for (qsizetype i = 0; i < rows.size(); ++i)
            if (!(rows[i] == m_rows[i])) {
                m_rows[i] = rows[i];
                emit dataChanged(index(int(i)), index(int(i)));
            }
    }

private:
    QList<Role> m_roles;
    QList<Row> m_rows;
};
