// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>

// Queues `inspect` to run inside the next modal loop with the modal widget (null if none),
// and closes that widget afterwards if it is still open, so that a test never hangs on
// exec(), whatever `inspect` did or asserted.
void WhenModal(std::function<void(QWidget* modal)> inspect);
