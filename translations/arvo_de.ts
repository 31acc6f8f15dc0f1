<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CaptureView</name>
    <message>
        <source>The camera stopped sending pictures.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frozen</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DrawingController</name>
    <message>
        <source>&amp;Pen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw freely over the picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Highlighter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark the page with a broad see-through line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Arrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Point at something with a straight arrow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame a part of the page with a box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;llipse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Circle a part of the page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write words where you click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Eraser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the marks you drag over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thin Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Medium Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thick Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Draw</source>
        <translation>&amp;Zeichnen</translation>
    </message>
    <message>
        <source>Draw in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw with a %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo Drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take back the last change to the drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;do Drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make the change taken back again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear Drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the whole drawing (it can be undone)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take Photo &amp;Without the Drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take Photo &amp;With the Drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour of the drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width of the lines</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DrawingModel</name>
    <message>
        <source>Draw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Drawing</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DrawingOverlay</name>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text to write on the picture:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FreezeControls</name>
    <message>
        <source>&amp;Freeze Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold the picture still while you change the page; again to let it go (F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Un&amp;freeze Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frozen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GeneralPreferencesPane</name>
    <message>
        <source>Focus once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom in one step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exposure up one step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mirror horizontally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Freeze the picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start or Stop Recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore its last settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use its default settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With the prefix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lecture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shutter sound for snapshots</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sounds while the camera focuses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photos include the drawing over the picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift+Return takes a photo the other way</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programmable button:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When a camera is attached:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo names:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo library:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview after a snapshot:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sounds:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drawing:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recording:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This camera has no programmable button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Brings the camera into focus once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zooms into the image for one level.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Increases exposure for one level.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flips the current view horizontally.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Holds the picture still while the camera keeps sending; a second press lets it go.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starts recording the picture as a video; a second press stops it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo Library Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo Library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photos cannot be saved in &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arvo cannot write to that folder. The photo library stays in &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImageAdjustmentPane</name>
    <message>
        <source>Brightness:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contrast:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gamma:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hue:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saturation:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sharpness:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Camera:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Single</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(set on the camera)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Focus:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>50 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>60 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match the mains frequency to stop lamps from flickering in the picture.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power line:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeyboardShortcutsWindow</name>
    <message>
        <source>Other keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keys</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LibraryFile</name>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 bytes is too large for a photo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LibraryFolder</name>
    <message>
        <source>The photo library folder &quot;%1&quot; is missing. Photos cannot be saved until it is back (is the disk it is on plugged in?) or another folder is chosen in the preferences.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo library folder &quot;%1&quot; could not be created. Photos cannot be saved until it exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a file, not a folder, so photos cannot be saved there. The file was left as it is; move it away or choose another library folder.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LumoAboutWindowController</name>
    <message>
        <source>About Arvo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Live picture and snapshots for document cameras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Camera firmware %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Online Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Build %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LumoActionController</name>
    <message>
        <source>No picture to take yet: the camera has not shown a frame.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera stopped sending pictures, so no photo was taken.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera has not switched to the chosen resolution yet, so no photo was taken. Take the photo again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera changed, so no photo was taken.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera sent a damaged picture, so no photo was taken. Take the photo again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LumoAlbumView</name>
    <message>
        <source>Previous Photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Photo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LumoAppController</name>
    <message>
        <source>The settings file could not be read and was kept as &quot;%1&quot;; Arvo starts with its default settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translation>&amp;Modus</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Arvo &amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every key of Arvo&apos;s window (Ctrl+/)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Arvo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LumoCameraModeControls</name>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No camera connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 · %2°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LumoCameraUvc</name>
    <message>
        <source>Video Camera</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LumoImageView</name>
    <message>
        <source>“%1” cannot be shown: the file is empty, damaged or not a JPEG photo.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LumoMainWindowController</name>
    <message>
        <source>&amp;Take Photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Camera</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Project</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Review</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arvo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No camera connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
The camera is not sending pictures.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
waiting for the picture…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frozen, the camera sends %1 fps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 fps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1  ·  %2×%3  ·  %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not sending</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LumoMoviePlayer</name>
    <message>
        <source>Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no movie header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” cannot be played: the file is empty, damaged or not a movie (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 / %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause (Space)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play (Space)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LumoPreferencesWindowController</name>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Adjustment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LumoReviewController</name>
    <message>
        <source>Show in File Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate &amp;Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate &amp;Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play or Pause Movie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no file in your library directory!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Current Photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete the photo(s)?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LumoScroller</name>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LumoWindow</name>
    <message>
        <source>Take a photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select all photos (review)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the selected photo (review)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the selected photos (review)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous photo (review)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next photo (review)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Project mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave project mode, or cancel the self-timer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PanControls</name>
    <message>
        <source>Pan &amp;Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show more of the page&apos;s left side when zoomed in (Alt+Left)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pan &amp;Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show more of the page&apos;s right side when zoomed in (Alt+Right)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pan &amp;Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show more of the page&apos;s top when zoomed in (Alt+Up)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pan &amp;Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show more of the page&apos;s bottom when zoomed in (Alt+Down)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PhotoRotation</name>
    <message>
        <source>The file is not a readable JPEG photo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo is too large to be turned.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo is damaged and cannot be turned.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The turned photo could not be encoded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo&apos;s metadata could not be kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A photo can only be turned by quarter turns.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The turned photo cannot be written: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PhotoSeries</name>
    <message>
        <source>No camera is connected, so no series was started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>next in %1:%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>next in %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Series: %1 of %2, %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Series: %1 taken, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Series complete: %1 taken.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Series stopped after %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera was unplugged, so the series ended after %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera changed, so the series ended after %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arvo is quitting, so the series ended after %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PhotoTrash</name>
    <message>
        <source>The photo %1 is no longer there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disk that holds the photo library has no trash, so the photo was not moved. Delete it in the file manager, or keep the library in your home folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The trash folder %1 cannot be used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The trash folder %1 cannot be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo could not be moved to the trash: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PhotoWriter</name>
    <message>
        <source>There is no picture to save yet. Wait until the camera shows a picture, then take the photo again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No photo library folder is chosen. Choose one in the preferences.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo library folder &quot;%1&quot; does not exist, so the photo was not saved. Create it or choose another folder in the preferences.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a file, not a folder, so the photo was not saved. Choose another library folder in the preferences.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture could not be turned into a photo (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo could not be written to &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>Default microphone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no picture to record yet. Wait until the camera shows a picture, then start the recording again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo library folder &quot;%1&quot; cannot be written to, so nothing is recorded. Choose another folder in the preferences.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recording needs GStreamer&apos;s %1, which is not installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The recording could not be started: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The recording broke off before anything was written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera was unplugged; the recording was saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera changed; the recording was saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disk is full; the recording was saved up to there: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The recording could not be written further; what was recorded was saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recording saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordingControls</name>
    <message>
        <source>Recording without sound: no microphone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recording %1 · %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop &amp;Recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start &amp;Recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop the recording (R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record the picture as a video (R)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordingPreferences</name>
    <message>
        <source>Record sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The microphone a recording takes its sound from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video quality:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default microphone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (not connected)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RotationControls</name>
    <message>
        <source>Upright</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turned %1°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rotate Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn the picture a quarter clockwise, for a camera facing you or a page lying sideways (Ctrl+Shift+R)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SeriesControls</name>
    <message>
        <source>Photos at &amp;Intervals…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take a photo every few seconds or minutes (Ctrl+I)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Stop Series</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop taking photos at intervals (Ctrl+Shift+I)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take photos at intervals (Ctrl+I); click again to stop (Ctrl+Shift+I)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SeriesDialog</name>
    <message>
        <source>Photos at Intervals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From 2 seconds to 10 minutes (600 s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Until stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take a photo every:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of photos:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SystemPreferencesPane</name>
    <message>
        <source>Camera firmware:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arvo:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>V4l2CaptureDevice</name>
    <message>
        <source>%1

System message: %2 (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera&apos;s video could not be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check that no other program uses the camera, then unplug it and plug it in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera&apos;s video is not open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unplug the camera and plug it in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera&apos;s video could not be started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera offers no picture format that can be shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera was disconnected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plug the camera in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera stopped sending pictures.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VirtualCaptureDevice</name>
    <message>
        <source>The camera was disconnected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plug the camera in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera&apos;s video could not be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check that no other program uses the camera, then unplug it and plug it in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera&apos;s video is not open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unplug the camera and plug it in again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
