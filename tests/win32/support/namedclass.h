#pragma once
// A class that differs from its base by its class name alone: the skin picks some controls and
// forms by the name of their class.
#include "object.h"

#define NAMED_TEST_CLASS(Name, Base)                                                                      \
    class Name : public Base {                                                                            \
        TK_CLASS(Name, Base)                                                                              \
    public:                                                                                               \
        using Base::Base;                                                                                 \
    };                                                                                                    \
    inline const TClassInfo& Name::StaticClass()                                                          \
    {                                                                                                     \
        static const TClassInfo info = TClassBuilder<Name>(#Name, &Base::StaticClass()).Build();          \
        return info;                                                                                      \
    }
