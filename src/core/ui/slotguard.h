// Errors stop at the slot that raised them.  Qt's widgets and actions are built without
// exception support: an error thrown out of a slot would unwind through their frames
// without running their clean-ups (guards, grabs, pressed states), leaking memory and
// leaving them half way.  So every slot that Qt's user-interface code calls is wrapped:
// the error goes to the global error display there, and the event loop goes on as usual.
//
//     connect(a, &QAction::triggered, this, guarded(this, &Tfrm_X::doIt));
//     connect(b, &QPushButton::clicked, this, guarded([this] { ... }));
#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

namespace zorva {

// Shows an error that a guarded slot raised (the global error display).
void reportSlotError(const std::exception &error);
void reportUnknownSlotError();

namespace detail {

// Calls `f` with as many of the signal's leading arguments as it takes (as Qt does).
template <std::size_t N, class F, class Tuple>
void callWithLeading(F &f, Tuple &&args)
{
    if constexpr (N == 0) {
        std::invoke(f);
    } else {
        constexpr auto fits = []<std::size_t... I>(std::index_sequence<I...>)
        {
            return std::is_invocable_v<F &, std::tuple_element_t<I, std::remove_reference_t<Tuple>>...>;
        }
        (std::make_index_sequence<N>());
        if constexpr (fits) {
            [&]<std::size_t... I>(std::index_sequence<I...>)
            {
                std::invoke(f, std::get<I>(std::forward<Tuple>(args))...);
            }
            (std::make_index_sequence<N>());
        } else {
            callWithLeading<N - 1>(f, std::forward<Tuple>(args));
        }
    }
}

template <class F, class... Args>
void callWithWhatFits(F &f, Args &&...args)
{
    callWithLeading<sizeof...(Args)>(f, std::forward_as_tuple(std::forward<Args>(args)...));
}

template <class F>
auto guard(F f)
{
    return [f = std::move(f)](auto &&...args) mutable {
        try {
            callWithWhatFits(f, std::forward<decltype(args)>(args)...);
        } catch (const std::exception &e) {
            reportSlotError(e);
        } catch (...) {
            reportUnknownSlotError();
        }
    };
}

}  // namespace detail

// Runs `f` where Qt called the program's own handler (an event filter, an event
// handler); an error is shown there.  True when `f` ran through.
template <class F>
bool runGuarded(F &&f)
{
    try {
        f();
        return true;
    } catch (const std::exception &e) {
        reportSlotError(e);
    } catch (...) {
        reportUnknownSlotError();
    }
    return false;
}

// A function object (lambda) as a guarded slot.
template <class F>
auto guarded(F f)
{
    return detail::guard(std::move(f));
}

// A member function of `object` as a guarded slot.
template <class Object, class Method>
requires std::is_member_function_pointer_v<Method>
auto guarded(Object *object, Method method)
{
    return detail::guard([object, method](auto &&...args) {
        auto bound = [ object, method ](
            auto &&...taken) requires std::is_invocable_v<Method, Object *, decltype(taken)...>
        {
            std::invoke(method, object, std::forward<decltype(taken)>(taken)...);
        };
        detail::callWithWhatFits(bound, std::forward<decltype(args)>(args)...);
    });
}

}  // namespace zorva
