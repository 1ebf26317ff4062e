#include "WeekModel.h"

QVariant WeekModel::data(const QModelIndex &index, int role) const
{
    const DayBar *d = rowAt(index);
    if (!d)
        return {};
    switch (role) {
    case DayRole:
        return d->day;
    case FractionRole:
        return d->fraction;
    case WorkedRole:
        return d->worked;
    case LetterRole:
        return d->letter;
    case IsTodayRole:
        return d->isToday;
    case SelectedRole:
        return d->selected;
    case AccessibleNameRole:
        return d->accessibleName;
    default:
        return {};
    }
}

QHash<int, QByteArray> WeekModel::roleNames() const
{
    return {{DayRole, "day"},
            {FractionRole, "fraction"},
            {WorkedRole, "worked"},
            {LetterRole, "letter"},
            {IsTodayRole, "isToday"},
            {SelectedRole, "selected"},
            {AccessibleNameRole, "accessibleName"}};
}
