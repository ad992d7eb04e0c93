// CScopedValue: gives a variable a value for a scope and restores the
// previous one when the scope ends, also when it ends by an exception.
// Nested scopes restore in turn, so a flag set twice stays set until the
// outer scope ends.
#pragma once

#include <utility>

template <class T>
class CScopedValue {
public:
    CScopedValue(T& variable, T value) : m_variable(variable), m_previous(std::exchange(variable, std::move(value))) {}
    ~CScopedValue() { m_variable = std::move(m_previous); }
    CScopedValue(const CScopedValue&) = delete;
    CScopedValue& operator=(const CScopedValue&) = delete;

private:
    T& m_variable;
    T m_previous;
};
