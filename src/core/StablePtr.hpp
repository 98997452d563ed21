// stable_ptr: a shared pointer that is never empty. Every way of making one either
// starts from a freshly allocated object or tests for null, and its destructor
// never lets an exception out.
#pragma once

#include "core/TypeName.hpp"

#include <boost/exception/diagnostic_information.hpp>
#include <boost/throw_exception.hpp>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

template <typename T>
class stable_ptr
{
public:
    typedef T element_type;

    explicit stable_ptr(T* fresh) : m_pointer(fresh) {}

    stable_ptr(const stable_ptr& other) = default;
    stable_ptr& operator=(const stable_ptr& other) = default;

    template <typename U>
    stable_ptr(const stable_ptr<U>& other) : m_pointer(other.get_shared()) {}

    ~stable_ptr()
    {
        try
        {
            m_pointer.reset();
        }
        catch (const std::exception& e)
        {
            std::cerr << boost::diagnostic_information(e);
        }
        catch (...)
        {
            std::cerr << "Caught  unknown exception";
        }
    }

    T* operator->() const { return m_pointer.get(); }
    T& operator*() const { return *m_pointer; }
    T* get() const { return m_pointer.get(); }

    const std::shared_ptr<T>& get_shared() const { return m_pointer; }
    operator std::shared_ptr<T>() const { return m_pointer; }

    long use_count() const { return m_pointer.use_count(); }

    // Owner-based ordering, so that stable pointers can be keys of ordered sets.
    template <typename U>
    bool operator<(const stable_ptr<U>& other) const
    {
        return m_pointer.owner_before(other.get_shared());
    }
    template <typename U>
    bool operator==(const stable_ptr<U>& other) const { return m_pointer == other.get_shared(); }
    template <typename U>
    bool operator!=(const stable_ptr<U>& other) const { return m_pointer != other.get_shared(); }

private:
    template <typename U>
    friend stable_ptr<U> create_stable_ptr(const std::shared_ptr<U>& pointer);

    struct FromShared {};
    stable_ptr(FromShared, const std::shared_ptr<T>& pointer) : m_pointer(pointer) {}

    std::shared_ptr<T> m_pointer;
};

// The way from a shared pointer to a stable one: an empty pointer throws.
template <typename T>
stable_ptr<T> create_stable_ptr(const std::shared_ptr<T>& pointer)
{
    if (!pointer)
    {
        const std::string message =
            "create_stable_ptr: object is 0, type = " + Kestrum::ReadableTypeName<T>();
        BOOST_THROW_EXCEPTION(std::runtime_error(message));
    }
    return stable_ptr<T>(typename stable_ptr<T>::FromShared(), pointer);
}

template <typename T, typename U>
stable_ptr<T> dynamic_stable_ptr_cast(const stable_ptr<U>& pointer)
{
    std::shared_ptr<T> cast = std::dynamic_pointer_cast<T>(pointer.get_shared());
    if (!cast)
    {
        const std::string message = std::string(BOOST_CURRENT_FUNCTION) + ": " +
                                    Kestrum::ReadableTypeName<U>() + " could not be cast to " +
                                    Kestrum::ReadableTypeName<T>();
        BOOST_THROW_EXCEPTION(std::runtime_error(message));
    }
    return create_stable_ptr(cast);
}
