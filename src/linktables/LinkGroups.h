#pragma once

#include <QtGlobal>

namespace lorva {

// The link groups of the link tables.
struct LinkGroups
{
    qint16 groupFactorA = 0; // link groups = groupFactorA * groupFactorB
    qint16 groupFactorB = 0;
};

} // namespace lorva
