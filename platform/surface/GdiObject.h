// SPDX-License-Identifier: MIT
#pragma once

// Drawing objects: pens, brushes and fonts (Pen.h, Brush.h, Font.h). They
// are descriptions only; a surface realises them when it draws. Stock
// objects are shared and never deleted; objects the program creates are
// deleted by their owner.

#include "platform/surface/Types.h"

class CGdiObject {
public:
    enum class Kind { None, Pen, Brush, Font };

    virtual ~CGdiObject() = default;
    Kind GetKind() const { return m_kind; }
    // True once created (or for a stock object).
    bool IsValid() const { return m_valid; }
    // Releases the description; the object may be created again.
    BOOL DeleteObject();

    // The shared stock object of that index, or nullptr for an index the
    // platform does not provide.
    static CGdiObject* GetStockObject(int index);

protected:
    explicit CGdiObject(Kind kind) : m_kind(kind) {}
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    Kind m_kind;
    bool m_valid = false;
};
