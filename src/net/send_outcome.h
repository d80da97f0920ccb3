// What became of one attempt to send a queued message, and how an HTTP status
// code maps onto it. The flush removes a message on every outcome but a failure.
#pragma once

namespace tw {

enum class e_send_outcome {
    k_delivered,      // a 2xx answer: the server has the message
    k_rejected,       // the server says the message itself is wrong and will never take it
    k_undeliverable,  // the message names no host it could ever be sent to
    k_failed          // no answer, or one that may change later: try again next flush
};

// 2xx delivers; 400, 413, 414 and 422 reject the message; every other status
// (1xx, 3xx such as a captive portal's redirect, other 4xx, 5xx) is a failure.
e_send_outcome outcome_of_status(int status);

}  // namespace tw
