// CPoint: a POINT that constructs from its coordinates.
#pragma once

#include "Platform.h"

class CPoint : public POINT {
public:
    CPoint()
    {
        x = 0;
        y = 0;
    }
    CPoint(int initX, int initY)
    {
        x = initX;
        y = initY;
    }
};
