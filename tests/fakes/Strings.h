#pragma once

#include <QStringList>
#include <QStringView>

#include <initializer_list>

// A QStringList from literals (the project forbids implicit casts from char strings).
inline QStringList strings(std::initializer_list<QStringView> texts)
{
    QStringList list;
    for (QStringView t : texts)
        list.append(t.toString());
    return list;
}
