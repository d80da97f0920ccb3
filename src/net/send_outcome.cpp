// The status codes that settle a message for good, either way.
#include "net/send_outcome.h"

namespace tw {

e_send_outcome outcome_of_status(int status) {
    if (status >= 200 && status <= 299) return e_send_outcome::k_delivered;
    switch (status) {
        case 400:  // Bad Request
        case 413:  // Content Too Large
        case 414:  // URI Too Long
        case 422:  // Unprocessable Content
            return e_send_outcome::k_rejected;
        default:
            // A proxy, portal or busy server answers for the endpoint; the same
            // message may well go through on a later run.
            return e_send_outcome::k_failed;
    }
}

}  // namespace tw
