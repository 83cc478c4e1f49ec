# The demo installation as a user clicks through it, for the test robot
# (docs/robot.md).  scripts/main.sh runs every phase in this order, and
# tests/wine/install_example_test.sh runs the same phases with its checks
# in between.  A phase is the lines from "## NAME" to the next "## " line;
# each runs as one robot script.

## dialogs
# The licence: agree.
wait class=#32770 caption="License agreement" timeout=60
expect-text-contains 1004 "TOLVANE DEMO - LICENSE AGREEMENT"
press 1007
wait-gone
# The readme before the installation: OK.
wait class=#32770 caption="Readme" timeout=10
expect-text-contains 1009 "Thank you for installing the Tolvane demo."
expect-text 1010 OK
press 1010
wait-gone
# The options: the proposed directory below Program Files, all three
# options (program group, readme and the demo application at the end).
wait class=#32770 caption="Tolvane Demo Setup" timeout=10
expect-text 1010 "C:\Program Files\Tolvane Demo"
check 1003 on
check 1004 on
check 1005 on
press 1
wait-gone

## finished
# The progress dialog in its final state (run again until it passes: the
# installation takes a moment).
wait class=#32770 caption="Tolvane Demo Setup" timeout=5
expect-text 1013 "Installing Tolvane Demo, please wait..."
expect-text 1012 "Install complete succesfully"
expect-text 1011 OK
dump

## close
wait class=#32770 caption="Tolvane Demo Setup" timeout=10
press 1011
wait-gone

## readme
# The installed readme, shown because the installation completed.
wait class=#32770 caption="Readme" timeout=20
expect-text 1010 Close
expect-text-contains 1009 "Thank you for installing the Tolvane demo."
press 1010
wait-gone

## app
# The demo application, started at the end from its installed place; it
# found its library in the system directory.
wait class=TolvaneDemo caption="Tolvane Demo" timeout=20
expect-text-contains 100 "Tolvane Demo 1.0"
expect-text-contains 100 "Running from C:\Program Files\Tolvane Demo\bin"
expect-text-contains 100 "demoext.dll 1.0 is loaded from the system directory."

## quit
wait class=TolvaneDemo caption="Tolvane Demo" timeout=10
close
wait-gone
