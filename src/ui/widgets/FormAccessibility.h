#pragma once

class QFormLayout;

// Gives the controls of a form's rows what assistive technology reads out with them: a control
// without a name of its own (a pop-up or a slider in a row of several widgets, which the row's
// label does not name) takes the row's label as its name; a control without a description
// takes its tooltip, else the row's label when that says more than its name ("2 seconds" in
// "Preview after a snapshot"), else how the keyboard works it. Call again after rows change;
// what a control was given explicitly is kept. Main thread.
void describeFormFields(QFormLayout *form);
