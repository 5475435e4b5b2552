// What the handler that owns the poster feature (4219) does beyond its PrintTicket forms: a
// poster chosen switches fit to size off, and the shortcuts' command 39 offers the posters again.
// The capability database decides which class owns 4219; that class runs these with its own id.
#pragma once

class INiraCoreServices;

// A new current option of 4219: unless it is "no poster", tells the fit-to-size handler (command
// 35 with the option). Answers 0.
int OnPosterChosen(INiraCoreServices& services);

// Command 39: makes the poster options available (state 2, written as callerId) unless the page
// order is at option 2. Answers NIRA_STATUS_FAILED, as the command's senders expect.
int OfferPosterOptions(INiraCoreServices& services, int callerId);
