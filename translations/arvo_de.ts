<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CameraControl</name>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Farbton</translation>
    </message>
    <message>
        <source>Hue, Automatic</source>
        <translation>Farbton, automatisch</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Verstärkung</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Schärfe</translation>
    </message>
    <message>
        <source>Backlight Compensation</source>
        <translation>Gegenlichtausgleich</translation>
    </message>
    <message>
        <source>White Balance, Automatic</source>
        <translation>Weißabgleich, automatisch</translation>
    </message>
    <message>
        <source>White Balance Temperature</source>
        <translation>Weißabgleich-Farbtemperatur</translation>
    </message>
    <message>
        <source>White Balance Temperature, Auto</source>
        <translation>Weißabgleich-Farbtemperatur, automatisch</translation>
    </message>
    <message>
        <source>Power Line Frequency</source>
        <translation>Netzfrequenz</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>50 Hz</source>
        <translation>50 Hz</translation>
    </message>
    <message>
        <source>60 Hz</source>
        <translation>60 Hz</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Auto Exposure</source>
        <translation>Automatische Belichtung</translation>
    </message>
    <message>
        <source>Exposure, Auto</source>
        <translation>Belichtung, automatisch</translation>
    </message>
    <message>
        <source>Auto Mode</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Manual Mode</source>
        <translation>Manuell</translation>
    </message>
    <message>
        <source>Shutter Priority Mode</source>
        <translation>Zeitvorwahl</translation>
    </message>
    <message>
        <source>Aperture Priority Mode</source>
        <translation>Blendenvorwahl</translation>
    </message>
    <message>
        <source>Exposure Time, Absolute</source>
        <translation>Belichtungszeit</translation>
    </message>
    <message>
        <source>Exposure (Absolute)</source>
        <translation>Belichtungszeit</translation>
    </message>
    <message>
        <source>Exposure, Dynamic Framerate</source>
        <translation>Belichtung, variable Bildrate</translation>
    </message>
    <message>
        <source>Focus, Absolute</source>
        <translation>Fokus</translation>
    </message>
    <message>
        <source>Focus (absolute)</source>
        <translation>Fokus</translation>
    </message>
    <message>
        <source>Focus, Automatic Continuous</source>
        <translation>Fokus, fortlaufend automatisch</translation>
    </message>
    <message>
        <source>Focus, Auto</source>
        <translation>Fokus, automatisch</translation>
    </message>
    <message>
        <source>Auto Focus, Start</source>
        <translation>Autofokus starten</translation>
    </message>
    <message>
        <source>Zoom, Absolute</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Pan, Absolute</source>
        <translation>Schwenken</translation>
    </message>
    <message>
        <source>Tilt, Absolute</source>
        <translation>Neigen</translation>
    </message>
    <message>
        <source>Privacy</source>
        <translation>Sichtschutz</translation>
    </message>
</context>
<context>
    <name>CaptureView</name>
    <message>
        <source>The camera stopped sending pictures.</source>
        <translation>Die Kamera sendet keine Bilder mehr.</translation>
    </message>
    <message>
        <source>Frozen</source>
        <translation>Angehalten</translation>
    </message>
</context>
<context>
    <name>DrawingController</name>
    <message>
        <source>&amp;Pen</source>
        <translation>&amp;Stift</translation>
    </message>
    <message>
        <source>Draw freely over the picture</source>
        <translation>Frei über das Bild zeichnen</translation>
    </message>
    <message>
        <source>&amp;Highlighter</source>
        <translation>&amp;Textmarker</translation>
    </message>
    <message>
        <source>Mark the page with a broad see-through line</source>
        <translation>Die Seite mit einem breiten, durchscheinenden Strich markieren</translation>
    </message>
    <message>
        <source>&amp;Arrow</source>
        <translation>&amp;Pfeil</translation>
    </message>
    <message>
        <source>Point at something with a straight arrow</source>
        <translation>Mit einem geraden Pfeil auf etwas zeigen</translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation>&amp;Rechteck</translation>
    </message>
    <message>
        <source>Frame a part of the page with a box</source>
        <translation>Einen Teil der Seite mit einem Rahmen umgeben</translation>
    </message>
    <message>
        <source>E&amp;llipse</source>
        <translation>&amp;Ellipse</translation>
    </message>
    <message>
        <source>Circle a part of the page</source>
        <translation>Einen Teil der Seite einkreisen</translation>
    </message>
    <message>
        <source>&amp;Text</source>
        <translation>Te&amp;xt</translation>
    </message>
    <message>
        <source>Write words where you click</source>
        <translation>Text dort schreiben, wo Sie klicken</translation>
    </message>
    <message>
        <source>&amp;Eraser</source>
        <translation>Ra&amp;diergummi</translation>
    </message>
    <message>
        <source>Remove the marks you drag over</source>
        <translation>Entfernt die Markierungen, über die Sie ziehen</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Thin Line</source>
        <translation>Dünne Linie</translation>
    </message>
    <message>
        <source>Medium Line</source>
        <translation>Mittlere Linie</translation>
    </message>
    <message>
        <source>Thick Line</source>
        <translation>Dicke Linie</translation>
    </message>
    <message>
        <source>&amp;Draw</source>
        <translation>&amp;Zeichnen</translation>
    </message>
    <message>
        <source>Draw in %1</source>
        <translation>In %1 zeichnen</translation>
    </message>
    <message>
        <source>Draw with a %1</source>
        <translation>Zeichnen mit: %1</translation>
    </message>
    <message>
        <source>&amp;Undo Drawing</source>
        <translation>Zeichnen rück&amp;gängig</translation>
    </message>
    <message>
        <source>Take back the last change to the drawing</source>
        <translation>Die letzte Änderung an der Zeichnung zurücknehmen</translation>
    </message>
    <message>
        <source>Re&amp;do Drawing</source>
        <translation>Zeichnen &amp;wiederholen</translation>
    </message>
    <message>
        <source>Make the change taken back again</source>
        <translation>Die zurückgenommene Änderung wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Clear Drawing</source>
        <translation>Zeichnung &amp;löschen</translation>
    </message>
    <message>
        <source>Remove the whole drawing (it can be undone)</source>
        <translation>Die ganze Zeichnung entfernen (kann rückgängig gemacht werden)</translation>
    </message>
    <message>
        <source>Take Photo &amp;Without the Drawing</source>
        <translation>Foto &amp;ohne Zeichnung aufnehmen</translation>
    </message>
    <message>
        <source>Take Photo &amp;With the Drawing</source>
        <translation>Foto &amp;mit Zeichnung aufnehmen</translation>
    </message>
    <message>
        <source>Colour of the drawing</source>
        <translation>Farbe der Zeichnung</translation>
    </message>
    <message>
        <source>Width of the lines</source>
        <translation>Strichstärke</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Line Width</source>
        <translation>Strichstärke</translation>
    </message>
</context>
<context>
    <name>DrawingModel</name>
    <message>
        <source>Draw</source>
        <translation>Zeichnen</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Radieren</translation>
    </message>
    <message>
        <source>Clear Drawing</source>
        <translation>Zeichnung löschen</translation>
    </message>
</context>
<context>
    <name>DrawingOverlay</name>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Text to write on the picture:</source>
        <translation>Text, der auf das Bild geschrieben wird:</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Radieren</translation>
    </message>
</context>
<context>
    <name>FormAccessibility</name>
    <message>
        <source>The arrow keys change the value</source>
        <translation>Die Pfeiltasten ändern den Wert</translation>
    </message>
    <message>
        <source>Space opens the choices; the arrow keys pick one</source>
        <translation>Die Leertaste öffnet die Auswahl; die Pfeiltasten wählen</translation>
    </message>
    <message>
        <source>A text field</source>
        <translation>Ein Textfeld</translation>
    </message>
    <message>
        <source>Space chooses it</source>
        <translation>Die Leertaste wählt es</translation>
    </message>
</context>
<context>
    <name>FreezeControls</name>
    <message>
        <source>&amp;Freeze Picture</source>
        <translation>Bild an&amp;halten</translation>
    </message>
    <message>
        <source>Hold the picture still while you change the page; again to let it go (F)</source>
        <translation>Hält das Bild fest, während Sie die Seite wechseln; erneut zum Freigeben (F)</translation>
    </message>
    <message>
        <source>Un&amp;freeze Picture</source>
        <translation>Bild frei&amp;geben</translation>
    </message>
    <message>
        <source>Frozen</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Anhalten</translation>
    </message>
</context>
<context>
    <name>GeneralPreferencesPane</name>
    <message>
        <source>Focus once</source>
        <translation>Einmal fokussieren</translation>
    </message>
    <message>
        <source>Zoom in one step</source>
        <translation>Eine Stufe vergrößern</translation>
    </message>
    <message>
        <source>Exposure up one step</source>
        <translation>Belichtung eine Stufe höher</translation>
    </message>
    <message>
        <source>Mirror horizontally</source>
        <translation>Horizontal spiegeln</translation>
    </message>
    <message>
        <source>Freeze the picture</source>
        <translation>Bild anhalten</translation>
    </message>
    <message>
        <source>Start or Stop Recording</source>
        <translation>Aufnahme starten oder beenden</translation>
    </message>
    <message>
        <source>Restore its last settings</source>
        <translation>Letzte Einstellungen wiederherstellen</translation>
    </message>
    <message>
        <source>Use its default settings</source>
        <translation>Standardeinstellungen verwenden</translation>
    </message>
    <message>
        <source>By date</source>
        <translation>Nach Datum</translation>
    </message>
    <message>
        <source>With the prefix</source>
        <translation>Mit dem Präfix</translation>
    </message>
    <message>
        <source>Lecture</source>
        <translation>Vortrag</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen…</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>2 seconds</source>
        <translation>2 Sekunden</translation>
    </message>
    <message>
        <source>4 seconds</source>
        <translation>4 Sekunden</translation>
    </message>
    <message>
        <source>Shutter sound for snapshots</source>
        <translation>Auslösergeräusch bei Fotos</translation>
    </message>
    <message>
        <source>Sounds while the camera focuses</source>
        <translation>Töne beim Fokussieren der Kamera</translation>
    </message>
    <message>
        <source>Photos include the drawing over the picture</source>
        <translation>Fotos enthalten die Zeichnung über dem Bild</translation>
    </message>
    <message>
        <source>Shift+Return takes a photo the other way</source>
        <translation>Umschalt+Eingabe nimmt das Foto andersherum auf</translation>
    </message>
    <message>
        <source>Programmable button:</source>
        <translation>Programmierbare Taste:</translation>
    </message>
    <message>
        <source>When a camera is attached:</source>
        <translation>Beim Anschließen einer Kamera:</translation>
    </message>
    <message>
        <source>Photo names:</source>
        <translation>Fotonamen:</translation>
    </message>
    <message>
        <source>Photo library:</source>
        <translation>Fotobibliothek:</translation>
    </message>
    <message>
        <source>Preview after a snapshot:</source>
        <translation>Vorschau nach einem Foto:</translation>
    </message>
    <message>
        <source>Sounds:</source>
        <translation>Töne:</translation>
    </message>
    <message>
        <source>Drawing:</source>
        <translation>Zeichnen:</translation>
    </message>
    <message>
        <source>Recording:</source>
        <translation>Aufnahme:</translation>
    </message>
    <message>
        <source>This camera has no programmable button.</source>
        <translation>Diese Kamera hat keine programmierbare Taste.</translation>
    </message>
    <message>
        <source>Brings the camera into focus once.</source>
        <translation>Stellt die Kamera einmal scharf.</translation>
    </message>
    <message>
        <source>Zooms into the image for one level.</source>
        <translation>Vergrößert das Bild um eine Stufe.</translation>
    </message>
    <message>
        <source>Increases exposure for one level.</source>
        <translation>Erhöht die Belichtung um eine Stufe.</translation>
    </message>
    <message>
        <source>Flips the current view horizontally.</source>
        <translation>Spiegelt das Bild horizontal.</translation>
    </message>
    <message>
        <source>Holds the picture still while the camera keeps sending; a second press lets it go.</source>
        <translation>Hält das Bild fest, während die Kamera weitersendet; ein zweiter Druck gibt es frei.</translation>
    </message>
    <message>
        <source>Starts recording the picture as a video; a second press stops it.</source>
        <translation>Nimmt das Bild als Video auf; ein zweiter Druck beendet die Aufnahme.</translation>
    </message>
    <message>
        <source>Photo Library Folder</source>
        <translation>Ordner der Fotobibliothek</translation>
    </message>
    <message>
        <source>Choose</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Photo Library</source>
        <translation>Fotobibliothek</translation>
    </message>
    <message>
        <source>Photos cannot be saved in &quot;%1&quot;.</source>
        <translation>In „%1“ können keine Fotos gespeichert werden.</translation>
    </message>
    <message>
        <source>Arvo cannot write to that folder. The photo library stays in &quot;%1&quot;.</source>
        <translation>Arvo kann nicht in diesen Ordner schreiben. Die Fotobibliothek bleibt in „%1“.</translation>
    </message>
</context>
<context>
    <name>ImageAdjustmentPane</name>
    <message>
        <source>Brightness:</source>
        <translation>Helligkeit:</translation>
    </message>
    <message>
        <source>Contrast:</source>
        <translation>Kontrast:</translation>
    </message>
    <message>
        <source>Gamma:</source>
        <translation>Gamma:</translation>
    </message>
    <message>
        <source>Hue:</source>
        <translation>Farbton:</translation>
    </message>
    <message>
        <source>Saturation:</source>
        <translation>Sättigung:</translation>
    </message>
    <message>
        <source>Sharpness:</source>
        <translation>Schärfe:</translation>
    </message>
    <message>
        <source>Camera:</source>
        <translation>Kamera:</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Standardwerte</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Einzeln</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Fortlaufend</translation>
    </message>
    <message>
        <source>(set on the camera)</source>
        <translation>(an der Kamera eingestellt)</translation>
    </message>
    <message>
        <source>Focus:</source>
        <translation>Fokus:</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>50 Hz</source>
        <translation>50 Hz</translation>
    </message>
    <message>
        <source>60 Hz</source>
        <translation>60 Hz</translation>
    </message>
    <message>
        <source>Match the mains frequency to stop lamps from flickering in the picture.</source>
        <translation>An die Netzfrequenz anpassen, damit Lampen im Bild nicht flackern.</translation>
    </message>
    <message>
        <source>Power line:</source>
        <translation>Netzfrequenz:</translation>
    </message>
</context>
<context>
    <name>KeyboardShortcutsWindow</name>
    <message>
        <source>Other keys</source>
        <translation>Weitere Tasten</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Tasten</translation>
    </message>
</context>
<context>
    <name>LibraryFile</name>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine normale Datei</translation>
    </message>
    <message>
        <source>%1 bytes is too large for a photo</source>
        <translation>%1 Bytes sind zu groß für ein Foto</translation>
    </message>
</context>
<context>
    <name>LibraryFolder</name>
    <message>
        <source>The photo library folder &quot;%1&quot; is missing. Photos cannot be saved until it is back (is the disk it is on plugged in?) or another folder is chosen in the preferences.</source>
        <translation>Der Ordner der Fotobibliothek „%1“ fehlt. Fotos können erst wieder gespeichert werden, wenn er zurück ist (ist sein Laufwerk angeschlossen?) oder in den Einstellungen ein anderer Ordner gewählt wird.</translation>
    </message>
    <message>
        <source>The photo library folder &quot;%1&quot; could not be created. Photos cannot be saved until it exists.</source>
        <translation>Der Ordner der Fotobibliothek „%1“ konnte nicht angelegt werden. Fotos können erst gespeichert werden, wenn er existiert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a file, not a folder, so photos cannot be saved there. The file was left as it is; move it away or choose another library folder.</source>
        <translation>„%1“ ist eine Datei, kein Ordner, daher können dort keine Fotos gespeichert werden. Die Datei bleibt unverändert; verschieben Sie sie oder wählen Sie einen anderen Bibliotheksordner.</translation>
    </message>
</context>
<context>
    <name>LumoAboutWindowController</name>
    <message>
        <source>About Arvo</source>
        <translation>Über Arvo</translation>
    </message>
    <message>
        <source>Live picture and snapshots for document cameras</source>
        <translation>Livebild und Fotos für Dokumentenkameras</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Camera firmware %1</source>
        <translation>Kamera-Firmware %1</translation>
    </message>
    <message>
        <source>Online Help</source>
        <translation>Onlinehilfe</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>%1 Build %2</source>
        <translation>%1 Build %2</translation>
    </message>
</context>
<context>
    <name>LumoActionController</name>
    <message>
        <source>No picture to take yet: the camera has not shown a frame.</source>
        <translation>Noch kein Bild für ein Foto: Die Kamera hat noch kein Bild gezeigt.</translation>
    </message>
    <message>
        <source>The camera stopped sending pictures, so no photo was taken.</source>
        <translation>Die Kamera sendet keine Bilder mehr, daher wurde kein Foto aufgenommen.</translation>
    </message>
    <message>
        <source>The camera has not switched to the chosen resolution yet, so no photo was taken. Take the photo again.</source>
        <translation>Die Kamera hat noch nicht auf die gewählte Auflösung umgeschaltet, daher wurde kein Foto aufgenommen. Nehmen Sie das Foto erneut auf.</translation>
    </message>
    <message>
        <source>The camera changed, so no photo was taken.</source>
        <translation>Die Kamera hat gewechselt, daher wurde kein Foto aufgenommen.</translation>
    </message>
    <message>
        <source>The camera sent a damaged picture, so no photo was taken. Take the photo again.</source>
        <translation>Die Kamera hat ein beschädigtes Bild gesendet, daher wurde kein Foto aufgenommen. Nehmen Sie das Foto erneut auf.</translation>
    </message>
</context>
<context>
    <name>LumoAlbumView</name>
    <message>
        <source>Previous Photo</source>
        <translation>Vorheriges Foto</translation>
    </message>
    <message>
        <source>Next Photo</source>
        <translation>Nächstes Foto</translation>
    </message>
    <message>
        <source>Selects the photo before the selected one</source>
        <translation>Wählt das Foto vor dem ausgewählten</translation>
    </message>
    <message>
        <source>Selects the photo after the selected one</source>
        <translation>Wählt das Foto nach dem ausgewählten</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
    <message>
        <source>The photos in the library; Left, Right, Home and End move the selection</source>
        <translation>Die Fotos der Bibliothek; Links, Rechts, Pos1 und Ende bewegen die Auswahl</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>Foto</translation>
    </message>
    <message>
        <source>The selected photo; + and - zoom it</source>
        <translation>Das ausgewählte Foto; + und - zoomen es</translation>
    </message>
</context>
<context>
    <name>LumoAppController</name>
    <message>
        <source>The settings file could not be read and was kept as &quot;%1&quot;; Arvo starts with its default settings.</source>
        <translation>Die Einstellungsdatei konnte nicht gelesen werden und wurde als „%1“ aufbewahrt; Arvo startet mit den Standardeinstellungen.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Einstellungen…</translation>
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
        <translation>Arvo-&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>Every key of Arvo&apos;s window (Ctrl+/)</source>
        <translation>Alle Tasten des Arvo-Fensters (Strg+/)</translation>
    </message>
    <message>
        <source>&amp;About Arvo</source>
        <translation>Ü&amp;ber Arvo</translation>
    </message>
</context>
<context>
    <name>LumoAttachController</name>
    <message>
        <source>Take Photo</source>
        <translation>Foto aufnehmen</translation>
    </message>
    <message>
        <source>Saves the current picture to the photo library</source>
        <translation>Speichert das aktuelle Bild in der Fotobibliothek</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Fokus</translation>
    </message>
    <message>
        <source>Has the camera focus on the page once</source>
        <translation>Lässt die Kamera einmal auf die Seite scharfstellen</translation>
    </message>
    <message>
        <source>Leave Project Mode</source>
        <translation>Projektion verlassen</translation>
    </message>
    <message>
        <source>Returns to the window with the toolbar</source>
        <translation>Kehrt zum Fenster mit der Werkzeugleiste zurück</translation>
    </message>
    <message>
        <source>Cancel Self-Timer</source>
        <translation>Selbstauslöser abbrechen</translation>
    </message>
    <message>
        <source>Stops the countdown before the photo is taken</source>
        <translation>Beendet den Countdown, bevor das Foto aufgenommen wird</translation>
    </message>
    <message>
        <source>Focus Mark</source>
        <translation>Fokusanzeige</translation>
    </message>
    <message>
        <source>Shows while the camera focuses and when it is done</source>
        <translation>Erscheint, während die Kamera scharfstellt und wenn sie fertig ist</translation>
    </message>
    <message>
        <source>Focus Mode</source>
        <translation>Fokusmodus</translation>
    </message>
    <message>
        <source>Shows whether the camera focuses once or all the time</source>
        <translation>Zeigt, ob die Kamera einmal oder fortlaufend scharfstellt</translation>
    </message>
    <message>
        <source>Exposure Level</source>
        <translation>Belichtungsstufe</translation>
    </message>
    <message>
        <source>Shows the exposure step just chosen</source>
        <translation>Zeigt die gerade gewählte Belichtungsstufe</translation>
    </message>
</context>
<context>
    <name>LumoCameraModeControls</name>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertikal</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Belichtung</translation>
    </message>
    <message>
        <source>AE</source>
        <translation>AE</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Auflösung</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>No camera connected</source>
        <translation>Keine Kamera angeschlossen</translation>
    </message>
    <message>
        <source>%1 · %2°</source>
        <translation>%1 · %2°</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Spiegeln</translation>
    </message>
    <message>
        <source>Enlarges part of the live picture</source>
        <translation>Vergrößert einen Teil des Livebilds</translation>
    </message>
    <message>
        <source>Makes the live picture brighter or darker</source>
        <translation>Macht das Livebild heller oder dunkler</translation>
    </message>
    <message>
        <source>Lets the camera set the brightness itself, or keeps it where it is</source>
        <translation>Lässt die Kamera die Helligkeit selbst einstellen oder hält sie fest</translation>
    </message>
    <message>
        <source>Waits a few seconds before a photo is taken</source>
        <translation>Wartet einige Sekunden, bevor ein Foto aufgenommen wird</translation>
    </message>
    <message>
        <source>Chooses how many pixels the camera sends</source>
        <translation>Wählt, wie viele Pixel die Kamera sendet</translation>
    </message>
    <message>
        <source>Flips or turns the live picture</source>
        <translation>Spiegelt oder dreht das Livebild</translation>
    </message>
    <message>
        <source>Enlarges the photo shown</source>
        <translation>Vergrößert das angezeigte Foto</translation>
    </message>
</context>
<context>
    <name>LumoCameraUvc</name>
    <message>
        <source>Video Camera</source>
        <translation>Videokamera</translation>
    </message>
</context>
<context>
    <name>LumoImageView</name>
    <message>
        <source>“%1” cannot be shown: the file is empty, damaged or not a JPEG photo.</source>
        <translation>„%1“ kann nicht angezeigt werden: Die Datei ist leer, beschädigt oder kein JPEG-Foto.</translation>
    </message>
</context>
<context>
    <name>LumoMainWindowController</name>
    <message>
        <source>&amp;Take Photo</source>
        <translation>&amp;Foto aufnehmen</translation>
    </message>
    <message>
        <source>&amp;Camera</source>
        <translation>&amp;Kamera</translation>
    </message>
    <message>
        <source>&amp;Project</source>
        <translation>&amp;Projektion</translation>
    </message>
    <message>
        <source>&amp;Review</source>
        <translation>&amp;Wiedergabe</translation>
    </message>
    <message>
        <source>Arvo</source>
        <translation>Arvo</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Gespeichert: %1</translation>
    </message>
    <message>
        <source>No camera connected</source>
        <translation>Keine Kamera angeschlossen</translation>
    </message>
    <message>
        <source>%1
The camera is not sending pictures.</source>
        <translation>%1
Die Kamera sendet keine Bilder.</translation>
    </message>
    <message>
        <source>%1
waiting for the picture…</source>
        <translation>%1
warte auf das Bild…</translation>
    </message>
    <message>
        <source>Frozen, the camera sends %1 fps</source>
        <translation>Angehalten, die Kamera sendet %1 fps</translation>
    </message>
    <message>
        <source>%1 fps</source>
        <translation>%1 fps</translation>
    </message>
    <message>
        <source>%1  ·  %2×%3  ·  %4</source>
        <translation>%1  ·  %2×%3  ·  %4</translation>
    </message>
    <message>
        <source>not sending</source>
        <translation>sendet nicht</translation>
    </message>
    <message>
        <source>Saves the current picture to the photo library</source>
        <translation>Speichert das aktuelle Bild in der Fotobibliothek</translation>
    </message>
    <message>
        <source>Shows the live picture with the camera&apos;s controls</source>
        <translation>Zeigt das Livebild mit den Bedienelementen der Kamera</translation>
    </message>
    <message>
        <source>Shows the live picture on the whole screen</source>
        <translation>Zeigt das Livebild auf dem ganzen Bildschirm</translation>
    </message>
    <message>
        <source>Shows the photos taken, to look at and sort</source>
        <translation>Zeigt die aufgenommenen Fotos zum Ansehen und Ordnen</translation>
    </message>
</context>
<context>
    <name>LumoMoviePlayer</name>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>no movie header</source>
        <translation>kein Filmkopf</translation>
    </message>
    <message>
        <source>“%1” cannot be played: the file is empty, damaged or not a movie (%2).</source>
        <translation>„%1“ kann nicht abgespielt werden: Die Datei ist leer, beschädigt oder kein Film (%2).</translation>
    </message>
    <message>
        <source>%1 / %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>Pause (Space)</source>
        <translation>Pause (Leertaste)</translation>
    </message>
    <message>
        <source>Play (Space)</source>
        <translation>Abspielen (Leertaste)</translation>
    </message>
    <message>
        <source>Where the movie plays; drag to move through it</source>
        <translation>Die Stelle im Film; zum Spulen ziehen</translation>
    </message>
    <message>
        <source>How loud the movie plays</source>
        <translation>Wie laut der Film spielt</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Stops the movie where it is</source>
        <translation>Hält den Film an der aktuellen Stelle an</translation>
    </message>
    <message>
        <source>Plays the movie</source>
        <translation>Spielt den Film ab</translation>
    </message>
</context>
<context>
    <name>LumoPreferencesWindowController</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Image Adjustment</source>
        <translation>Bildanpassung</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Photo names, the library folder, sounds and recording</source>
        <translation>Fotonamen, Bibliotheksordner, Töne und Aufnahme</translation>
    </message>
    <message>
        <source>The camera&apos;s picture: brightness, colour, sharpness and focus</source>
        <translation>Das Kamerabild: Helligkeit, Farbe, Schärfe und Fokus</translation>
    </message>
    <message>
        <source>The versions of the camera and of Arvo</source>
        <translation>Die Versionen der Kamera und von Arvo</translation>
    </message>
</context>
<context>
    <name>LumoReviewController</name>
    <message>
        <source>Show in File Manager</source>
        <translation>In Dateiverwaltung zeigen</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>In den Papierkorb</translation>
    </message>
    <message>
        <source>Rotate &amp;Right</source>
        <translation>Nach &amp;rechts drehen</translation>
    </message>
    <message>
        <source>Rotate &amp;Left</source>
        <translation>Nach &amp;links drehen</translation>
    </message>
    <message>
        <source>Previous Photo</source>
        <translation>Vorheriges Foto</translation>
    </message>
    <message>
        <source>Next Photo</source>
        <translation>Nächstes Foto</translation>
    </message>
    <message>
        <source>Play or Pause Movie</source>
        <translation>Film abspielen oder anhalten</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Drehen</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Nach rechts drehen</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Nach links drehen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Delete Error</source>
        <translation>Fehler beim Löschen</translation>
    </message>
    <message>
        <source>There is no file in your library directory!</source>
        <translation>Im Ordner der Bibliothek ist keine Datei!</translation>
    </message>
    <message>
        <source>Opens the folder of the selected photo with the photo marked</source>
        <translation>Öffnet den Ordner des ausgewählten Fotos und markiert es</translation>
    </message>
    <message>
        <source>Moves the selected photos to the desktop&apos;s trash, after asking</source>
        <translation>Verschiebt die ausgewählten Fotos nach Rückfrage in den Papierkorb</translation>
    </message>
    <message>
        <source>Turns the selected photos a quarter turn</source>
        <translation>Dreht die ausgewählten Fotos um eine Vierteldrehung</translation>
    </message>
</context>
<context>
    <name>LumoScroller</name>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Belichtung</translation>
    </message>
    <message>
        <source>Sets how bright the camera takes the picture; Up and Down step it</source>
        <translation>Stellt ein, wie hell die Kamera das Bild aufnimmt; Hoch und Runter ändern es schrittweise</translation>
    </message>
    <message>
        <source>Sets the exposure back to the camera&apos;s default</source>
        <translation>Setzt die Belichtung auf den Standardwert der Kamera zurück</translation>
    </message>
</context>
<context>
    <name>LumoWindow</name>
    <message>
        <source>Take a photo</source>
        <translation>Foto aufnehmen</translation>
    </message>
    <message>
        <source>Select all photos (review)</source>
        <translation>Alle Fotos auswählen (Wiedergabe)</translation>
    </message>
    <message>
        <source>Copy the selected photo (review)</source>
        <translation>Ausgewähltes Foto kopieren (Wiedergabe)</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Delete the selected photos (review)</source>
        <translation>Ausgewählte Fotos löschen (Wiedergabe)</translation>
    </message>
    <message>
        <source>Previous photo (review)</source>
        <translation>Vorheriges Foto (Wiedergabe)</translation>
    </message>
    <message>
        <source>Next photo (review)</source>
        <translation>Nächstes Foto (Wiedergabe)</translation>
    </message>
    <message>
        <source>Project mode</source>
        <translation>Projektionsmodus</translation>
    </message>
    <message>
        <source>Leave project mode, or cancel the self-timer</source>
        <translation>Projektionsmodus verlassen oder Selbstauslöser abbrechen</translation>
    </message>
</context>
<context>
    <name>PanControls</name>
    <message>
        <source>Pan &amp;Left</source>
        <translation>Nach &amp;links schwenken</translation>
    </message>
    <message>
        <source>Show more of the page&apos;s left side when zoomed in (Alt+Left)</source>
        <translation>Beim Vergrößern mehr von der linken Seite zeigen (Alt+Links)</translation>
    </message>
    <message>
        <source>Show more of the page&apos;s right side when zoomed in (Alt+Right)</source>
        <translation>Beim Vergrößern mehr von der rechten Seite zeigen (Alt+Rechts)</translation>
    </message>
    <message>
        <source>Pan &amp;Up</source>
        <translation>Nach &amp;oben schwenken</translation>
    </message>
    <message>
        <source>Show more of the page&apos;s top when zoomed in (Alt+Up)</source>
        <translation>Beim Vergrößern mehr vom oberen Rand zeigen (Alt+Hoch)</translation>
    </message>
    <message>
        <source>Pan &amp;Down</source>
        <translation>Nach &amp;unten schwenken</translation>
    </message>
    <message>
        <source>Show more of the page&apos;s bottom when zoomed in (Alt+Down)</source>
        <translation>Beim Vergrößern mehr vom unteren Rand zeigen (Alt+Runter)</translation>
    </message>
    <message>
        <source>Pan Ri&amp;ght</source>
        <translation>Nach &amp;rechts schwenken</translation>
    </message>
</context>
<context>
    <name>PhotoRotation</name>
    <message>
        <source>The file is not a readable JPEG photo.</source>
        <translation>Die Datei ist kein lesbares JPEG-Foto.</translation>
    </message>
    <message>
        <source>The photo is too large to be turned.</source>
        <translation>Das Foto ist zu groß zum Drehen.</translation>
    </message>
    <message>
        <source>The photo is damaged and cannot be turned.</source>
        <translation>Das Foto ist beschädigt und kann nicht gedreht werden.</translation>
    </message>
    <message>
        <source>The turned photo could not be encoded.</source>
        <translation>Das gedrehte Foto konnte nicht kodiert werden.</translation>
    </message>
    <message>
        <source>The photo&apos;s metadata could not be kept.</source>
        <translation>Die Metadaten des Fotos konnten nicht erhalten werden.</translation>
    </message>
    <message>
        <source>A photo can only be turned by quarter turns.</source>
        <translation>Ein Foto lässt sich nur in Vierteldrehungen drehen.</translation>
    </message>
    <message>
        <source>The photo cannot be read: %1</source>
        <translation>Das Foto kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The turned photo cannot be written: %1</source>
        <translation>Das gedrehte Foto kann nicht geschrieben werden: %1</translation>
    </message>
</context>
<context>
    <name>PhotoSeries</name>
    <message>
        <source>No camera is connected, so no series was started.</source>
        <translation>Keine Kamera angeschlossen, daher wurde keine Serie gestartet.</translation>
    </message>
    <message>
        <source>next in %1:%2</source>
        <translation>nächstes in %1:%2</translation>
    </message>
    <message>
        <source>next in %1 s</source>
        <translation>nächstes in %1 s</translation>
    </message>
    <message>
        <source>Series: %1 of %2, %3</source>
        <translation>Serie: %1 von %2, %3</translation>
    </message>
    <message>
        <source>Series: %1 taken, %2</source>
        <translation>Serie: %1 aufgenommen, %2</translation>
    </message>
    <message>
        <source>Series complete: %1 taken.</source>
        <translation>Serie fertig: %1 aufgenommen.</translation>
    </message>
    <message>
        <source>Series stopped after %1.</source>
        <translation>Serie nach %1 beendet.</translation>
    </message>
    <message>
        <source>The camera was unplugged, so the series ended after %1.</source>
        <translation>Die Kamera wurde getrennt, daher endete die Serie nach %1.</translation>
    </message>
    <message>
        <source>The camera changed, so the series ended after %1.</source>
        <translation>Die Kamera hat gewechselt, daher endete die Serie nach %1.</translation>
    </message>
    <message>
        <source>Arvo is quitting, so the series ended after %1.</source>
        <translation>Arvo wird beendet, daher endete die Serie nach %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n photo(s)</source>
        <translation>
            <numerusform>%n Foto</numerusform>
            <numerusform>%n Fotos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PhotoTrash</name>
    <message>
        <source>The photo %1 is no longer there.</source>
        <translation>Das Foto %1 ist nicht mehr vorhanden.</translation>
    </message>
    <message>
        <source>The disk that holds the photo library has no trash, so the photo was not moved. Delete it in the file manager, or keep the library in your home folder.</source>
        <translation>Das Laufwerk der Fotobibliothek hat keinen Papierkorb, daher wurde das Foto nicht verschoben. Löschen Sie es in der Dateiverwaltung, oder legen Sie die Bibliothek in Ihren persönlichen Ordner.</translation>
    </message>
    <message>
        <source>The trash folder %1 cannot be used.</source>
        <translation>Der Papierkorb-Ordner %1 kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>The trash folder %1 cannot be written.</source>
        <translation>In den Papierkorb-Ordner %1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The photo could not be moved to the trash: %1</source>
        <translation>Das Foto konnte nicht in den Papierkorb verschoben werden: %1</translation>
    </message>
</context>
<context>
    <name>PhotoWriter</name>
    <message>
        <source>There is no picture to save yet. Wait until the camera shows a picture, then take the photo again.</source>
        <translation>Es gibt noch kein Bild zum Speichern. Warten Sie, bis die Kamera ein Bild zeigt, und nehmen Sie das Foto dann erneut auf.</translation>
    </message>
    <message>
        <source>No photo library folder is chosen. Choose one in the preferences.</source>
        <translation>Es ist kein Ordner für die Fotobibliothek gewählt. Wählen Sie einen in den Einstellungen.</translation>
    </message>
    <message>
        <source>The photo library folder &quot;%1&quot; does not exist, so the photo was not saved. Create it or choose another folder in the preferences.</source>
        <translation>Der Ordner der Fotobibliothek „%1“ existiert nicht, daher wurde das Foto nicht gespeichert. Legen Sie ihn an oder wählen Sie in den Einstellungen einen anderen Ordner.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a file, not a folder, so the photo was not saved. Choose another library folder in the preferences.</source>
        <translation>„%1“ ist eine Datei, kein Ordner, daher wurde das Foto nicht gespeichert. Wählen Sie in den Einstellungen einen anderen Bibliotheksordner.</translation>
    </message>
    <message>
        <source>The picture could not be turned into a photo (%1).</source>
        <translation>Aus dem Bild konnte kein Foto erstellt werden (%1).</translation>
    </message>
    <message>
        <source>The photo could not be written to &quot;%1&quot;: %2</source>
        <translation>Das Foto konnte nicht nach „%1“ geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>Default microphone</source>
        <translation>Standardmikrofon</translation>
    </message>
    <message>
        <source>There is no picture to record yet. Wait until the camera shows a picture, then start the recording again.</source>
        <translation>Es gibt noch kein Bild zum Aufnehmen. Warten Sie, bis die Kamera ein Bild zeigt, und starten Sie die Aufnahme dann erneut.</translation>
    </message>
    <message>
        <source>The photo library folder &quot;%1&quot; cannot be written to, so nothing is recorded. Choose another folder in the preferences.</source>
        <translation>In den Ordner der Fotobibliothek „%1“ kann nicht geschrieben werden, daher wird nichts aufgenommen. Wählen Sie in den Einstellungen einen anderen Ordner.</translation>
    </message>
    <message>
        <source>Recording needs GStreamer&apos;s %1, which is not installed.</source>
        <translation>Für die Aufnahme wird %1 von GStreamer benötigt, das nicht installiert ist.</translation>
    </message>
    <message>
        <source>The recording could not be started: %1</source>
        <translation>Die Aufnahme konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>The recording broke off before anything was written: %1</source>
        <translation>Die Aufnahme brach ab, bevor etwas geschrieben wurde: %1</translation>
    </message>
    <message>
        <source>The camera was unplugged; the recording was saved: %1</source>
        <translation>Die Kamera wurde getrennt; die Aufnahme wurde gespeichert: %1</translation>
    </message>
    <message>
        <source>The camera changed; the recording was saved: %1</source>
        <translation>Die Kamera hat gewechselt; die Aufnahme wurde gespeichert: %1</translation>
    </message>
    <message>
        <source>The disk is full; the recording was saved up to there: %1</source>
        <translation>Der Datenträger ist voll; die Aufnahme wurde bis dahin gespeichert: %1</translation>
    </message>
    <message>
        <source>The recording could not be written further; what was recorded was saved: %1</source>
        <translation>Die Aufnahme konnte nicht weiter geschrieben werden; das Aufgenommene wurde gespeichert: %1</translation>
    </message>
    <message>
        <source>Recording saved: %1</source>
        <translation>Aufnahme gespeichert: %1</translation>
    </message>
</context>
<context>
    <name>RecordingControls</name>
    <message>
        <source>Recording without sound: no microphone</source>
        <translation>Aufnahme ohne Ton: kein Mikrofon</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>Recording %1 · %2</source>
        <translation>Aufnahme %1 · %2</translation>
    </message>
    <message>
        <source>Stop &amp;Recording</source>
        <translation>Aufnahme &amp;stoppen</translation>
    </message>
    <message>
        <source>Start &amp;Recording</source>
        <translation>Aufnahme &amp;starten</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufnehmen</translation>
    </message>
    <message>
        <source>Stop the recording (R)</source>
        <translation>Aufnahme beenden (R)</translation>
    </message>
    <message>
        <source>Record the picture as a video (R)</source>
        <translation>Das Bild als Video aufnehmen (R)</translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Aufnahme stoppen</translation>
    </message>
    <message>
        <source>Start Recording</source>
        <translation>Aufnahme starten</translation>
    </message>
</context>
<context>
    <name>RecordingPreferences</name>
    <message>
        <source>Record sound</source>
        <translation>Ton aufnehmen</translation>
    </message>
    <message>
        <source>The microphone a recording takes its sound from</source>
        <translation>Das Mikrofon, von dem die Aufnahme den Ton nimmt</translation>
    </message>
    <message>
        <source>Video quality:</source>
        <translation>Videoqualität:</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Default microphone</source>
        <translation>Standardmikrofon</translation>
    </message>
    <message>
        <source>%1 (not connected)</source>
        <translation>%1 (nicht angeschlossen)</translation>
    </message>
</context>
<context>
    <name>ReviewTexts</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>%n ausgewählt</numerusform>
            <numerusform>%n ausgewählt</numerusform>
        </translation>
    </message>
    <message>
        <source>No photos yet</source>
        <translation>Noch keine Fotos</translation>
    </message>
    <message>
        <source>Switch to Camera mode (%1), then press the camera&apos;s snapshot button or choose File ▸ Take Photo (%2).</source>
        <translation>Wechseln Sie in den Modus Kamera (%1) und drücken Sie dann die Fototaste der Kamera oder wählen Sie Datei ▸ Foto aufnehmen (%2).</translation>
    </message>
    <message>
        <source>Move “%1” to the trash?</source>
        <translation>„%1“ in den Papierkorb verschieben?</translation>
    </message>
    <message numerus="yes">
        <source>Move %n photos to the trash?</source>
        <translation>
            <numerusform>%n Foto in den Papierkorb verschieben?</numerusform>
            <numerusform>%n Fotos in den Papierkorb verschieben?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move %n recordings to the trash?</source>
        <translation>
            <numerusform>%n Aufnahme in den Papierkorb verschieben?</numerusform>
            <numerusform>%n Aufnahmen in den Papierkorb verschieben?</numerusform>
        </translation>
    </message>
    <message>
        <source>1 photo</source>
        <translation>1 Foto</translation>
    </message>
    <message numerus="yes">
        <source>%n photos</source>
        <translation>
            <numerusform>%n Foto</numerusform>
            <numerusform>%n Fotos</numerusform>
        </translation>
    </message>
    <message>
        <source>1 recording</source>
        <translation>1 Aufnahme</translation>
    </message>
    <message numerus="yes">
        <source>%n recordings</source>
        <translation>
            <numerusform>%n Aufnahme</numerusform>
            <numerusform>%n Aufnahmen</numerusform>
        </translation>
    </message>
    <message>
        <source>Move %1 and %2 to the trash?</source>
        <translation>%1 und %2 in den Papierkorb verschieben?</translation>
    </message>
    <message>
        <source>It can be put back from the trash.</source>
        <translation>Lässt sich aus dem Papierkorb wiederherstellen.</translation>
    </message>
    <message>
        <source>They can be put back from the trash.</source>
        <translation>Lassen sich aus dem Papierkorb wiederherstellen.</translation>
    </message>
</context>
<context>
    <name>RotationControls</name>
    <message>
        <source>Upright</source>
        <translation>Nicht gedreht</translation>
    </message>
    <message>
        <source>Turned %1°</source>
        <translation>Um %1° gedreht</translation>
    </message>
    <message>
        <source>&amp;Rotate Picture</source>
        <translation>Bild &amp;drehen</translation>
    </message>
    <message>
        <source>Turn the picture a quarter clockwise, for a camera facing you or a page lying sideways (Ctrl+Shift+R)</source>
        <translation>Das Bild um eine Vierteldrehung im Uhrzeigersinn drehen, für eine Kamera, die Sie ansieht, oder eine quer liegende Seite (Strg+Umschalt+R)</translation>
    </message>
</context>
<context>
    <name>SeriesControls</name>
    <message>
        <source>Photos at &amp;Intervals…</source>
        <translation>Fotos in &amp;Intervallen…</translation>
    </message>
    <message>
        <source>Take a photo every few seconds or minutes (Ctrl+I)</source>
        <translation>Alle paar Sekunden oder Minuten ein Foto aufnehmen (Strg+I)</translation>
    </message>
    <message>
        <source>&amp;Stop Series</source>
        <translation>Serie be&amp;enden</translation>
    </message>
    <message>
        <source>Stop taking photos at intervals (Ctrl+Shift+I)</source>
        <translation>Fotos in Intervallen beenden (Strg+Umschalt+I)</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Intervalle</translation>
    </message>
    <message>
        <source>Take photos at intervals (Ctrl+I); click again to stop (Ctrl+Shift+I)</source>
        <translation>Fotos in Intervallen aufnehmen (Strg+I); erneut klicken zum Beenden (Strg+Umschalt+I)</translation>
    </message>
</context>
<context>
    <name>SeriesDialog</name>
    <message>
        <source>Photos at Intervals</source>
        <translation>Fotos in Intervallen</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>From 2 seconds to 10 minutes (600 s)</source>
        <translation>Von 2 Sekunden bis 10 Minuten (600 s)</translation>
    </message>
    <message>
        <source>Until stopped</source>
        <translation>Bis zum Beenden</translation>
    </message>
    <message>
        <source>Take a photo every:</source>
        <translation>Ein Foto alle:</translation>
    </message>
    <message>
        <source>Number of photos:</source>
        <translation>Anzahl der Fotos:</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
</context>
<context>
    <name>SystemPreferencesPane</name>
    <message>
        <source>Camera firmware:</source>
        <translation>Kamera-Firmware:</translation>
    </message>
    <message>
        <source>Arvo:</source>
        <translation>Arvo:</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Opens the page with the newest version of Arvo</source>
        <translation>Öffnet die Seite mit der neuesten Version von Arvo</translation>
    </message>
</context>
<context>
    <name>ToolbarFocus</name>
    <message>
        <source>More Controls</source>
        <translation>Weitere Bedienelemente</translation>
    </message>
    <message>
        <source>Shows the controls the window is too narrow for</source>
        <translation>Zeigt die Bedienelemente, für die das Fenster zu schmal ist</translation>
    </message>
</context>
<context>
    <name>V4l2CaptureDevice</name>
    <message>
        <source>%1

System message: %2 (%3)</source>
        <translation>%1

Systemmeldung: %2 (%3)</translation>
    </message>
    <message>
        <source>The camera&apos;s video could not be opened.</source>
        <translation>Das Video der Kamera konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Check that no other program uses the camera, then unplug it and plug it in again.</source>
        <translation>Prüfen Sie, dass kein anderes Programm die Kamera verwendet, trennen Sie sie dann und schließen Sie sie wieder an.</translation>
    </message>
    <message>
        <source>The camera&apos;s video is not open.</source>
        <translation>Das Video der Kamera ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>Unplug the camera and plug it in again.</source>
        <translation>Trennen Sie die Kamera und schließen Sie sie wieder an.</translation>
    </message>
    <message>
        <source>The camera&apos;s video could not be started.</source>
        <translation>Das Video der Kamera konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The camera offers no picture format that can be shown.</source>
        <translation>Die Kamera bietet kein Bildformat, das angezeigt werden kann.</translation>
    </message>
    <message>
        <source>The camera was disconnected.</source>
        <translation>Die Kamera wurde getrennt.</translation>
    </message>
    <message>
        <source>Plug the camera in again.</source>
        <translation>Schließen Sie die Kamera wieder an.</translation>
    </message>
    <message>
        <source>The camera stopped sending pictures.</source>
        <translation>Die Kamera sendet keine Bilder mehr.</translation>
    </message>
</context>
<context>
    <name>VirtualCaptureDevice</name>
    <message>
        <source>The camera was disconnected.</source>
        <translation>Die Kamera wurde getrennt.</translation>
    </message>
    <message>
        <source>Plug the camera in again.</source>
        <translation>Schließen Sie die Kamera wieder an.</translation>
    </message>
    <message>
        <source>The camera&apos;s video could not be opened.</source>
        <translation>Das Video der Kamera konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Check that no other program uses the camera, then unplug it and plug it in again.</source>
        <translation>Prüfen Sie, dass kein anderes Programm die Kamera verwendet, trennen Sie sie dann und schließen Sie sie wieder an.</translation>
    </message>
    <message>
        <source>The camera&apos;s video is not open.</source>
        <translation>Das Video der Kamera ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>Unplug the camera and plug it in again.</source>
        <translation>Trennen Sie die Kamera und schließen Sie sie wieder an.</translation>
    </message>
</context>
</TS>
