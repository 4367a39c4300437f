#pragma once
// Shared by the query and dialog tests.

#include "kvtestsupport.h"

#include <functional>

namespace qtest {

// Runs `call` while the next modal widget is handed to `act`; fails the test
// when none appeared.
template <class F> auto drive(std::function<void(QWidget*)> act, F call) {
  kvtest::ModalDriver driver(std::move(act));
  driver.start();
  auto r = call();
  if (!driver.fired())
    QTest::qFail("the expected dialog never appeared", __FILE__, __LINE__);
  return r;
}

} // namespace qtest
