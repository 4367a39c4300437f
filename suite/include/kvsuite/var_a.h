#pragma once
// var_a<T*>: the suite's reference-counted shared pointer. An object dies with
// its last var_a. The deleter is captured when the first var_a takes the
// object, so types without a virtual destructor are destroyed correctly
// through any var_a to a base.

#include <memory>
#include <type_traits>
#include <utility>

template <class P> class var_a;

template <class T> class var_a<T*> {
public:
  using element_type = T;

  var_a() noexcept = default;
  var_a(std::nullptr_t) noexcept {}
  // Takes ownership of a freshly created object.
  explicit var_a(T* p) : FPtr(p) {}
  template <class U, class = std::enable_if_t<std::is_convertible<U*, T*>::value>>
  explicit var_a(U* p) : FPtr(p) {}
  template <class U, class = std::enable_if_t<std::is_convertible<U*, T*>::value>>
  var_a(const var_a<U*>& o) noexcept : FPtr(o.shared()) {}
  template <class U, class = std::enable_if_t<std::is_convertible<U*, T*>::value>>
  var_a(var_a<U*>&& o) noexcept : FPtr(std::move(o).shared()) {}
  explicit var_a(std::shared_ptr<T> p) noexcept : FPtr(std::move(p)) {}

  T* get() const noexcept { return FPtr.get(); }
  T* operator->() const noexcept { return FPtr.get(); }
  T& operator*() const noexcept { return *FPtr; }
  explicit operator bool() const noexcept { return static_cast<bool>(FPtr); }
  bool operator!() const noexcept { return !FPtr; }
  void reset() noexcept { FPtr.reset(); }
  long use_count() const noexcept { return FPtr.use_count(); }

  const std::shared_ptr<T>& shared() const& noexcept { return FPtr; }
  std::shared_ptr<T> shared() && noexcept { return std::move(FPtr); }

  friend bool operator==(const var_a& a, const var_a& b) noexcept { return a.FPtr == b.FPtr; }
  friend bool operator!=(const var_a& a, const var_a& b) noexcept { return a.FPtr != b.FPtr; }
  friend bool operator==(const var_a& a, std::nullptr_t) noexcept { return !a.FPtr; }
  friend bool operator!=(const var_a& a, std::nullptr_t) noexcept { return static_cast<bool>(a.FPtr); }

private:
  std::shared_ptr<T> FPtr;
};

// Creates an object owned by a var_a.
template <class T, class... A> var_a<T*> new_a(A&&... args) {
  return var_a<T*>(std::make_shared<T>(std::forward<A>(args)...));
}
template <class T, class... A> var_a<T*> newobj_a(A&&... args) {
  return new_a<T>(std::forward<A>(args)...);
}

template <class T, class U> var_a<T*> dynamic_var_cast(const var_a<U*>& p) {
  return var_a<T*>(std::dynamic_pointer_cast<T>(p.shared()));
}
template <class T, class U> var_a<T*> static_var_cast(const var_a<U*>& p) {
  return var_a<T*>(std::static_pointer_cast<T>(p.shared()));
}
