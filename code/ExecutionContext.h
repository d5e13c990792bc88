// CExecutionContext: what running code carries into every call it makes.
// Each built-in routine receives it and returns a status, so a failure inside
// a routine (a script it called, code it ran) reaches its caller through one
// path: the routine returns false and the pending error says why.
#pragma once

class CInstance;

class CExecutionContext {
public:
    CExecutionContext(CInstance* self, CInstance* other) : e_self(self), e_other(other) {}

    // The instance the code runs for, and the other one at hand (the other
    // party of a collision, the instance that ran a `with`, or self again).
    CInstance* Self() const { return e_self; }
    CInstance* Other() const { return e_other; }

private:
    CInstance* e_self;
    CInstance* e_other;
};
