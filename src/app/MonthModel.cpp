#include "MonthModel.h"

QVariant MonthModel::data(const QModelIndex &index, int role) const
{
    const MonthCell *c = rowAt(index);
    if (!c)
        return {};
    switch (role) {
    case BlankRole:
        return c->blank;
    case DayRole:
        return c->day;
    case NumberRole:
        return c->number;
    case LabelRole:
        return c->label;
    case WorkedRole:
        return c->worked;
    case TintRole:
        return c->opacity;
    case IsTodayRole:
        return c->isToday;
    case IsSelectedRole:
        return c->isSelected;
    case IsFutureRole:
        return c->isFuture;
    default:
        return {};
    }
}

QHash<int, QByteArray> MonthModel::roleNames() const
{
    // Not "opacity": a delegate's required property of that name would be the item's own.
    return {{BlankRole, "blank"},      {DayRole, "day"},
            {NumberRole, "number"},    {LabelRole, "label"},
            {WorkedRole, "worked"},    {TintRole, "tint"},
            {IsTodayRole, "isToday"},  {IsSelectedRole, "isSelected"},
            {IsFutureRole, "isFuture"}};
}
