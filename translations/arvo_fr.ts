<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CameraControl</name>
    <message>
        <source>Brightness</source>
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Teinte</translation>
    </message>
    <message>
        <source>Hue, Automatic</source>
        <translation>Teinte automatique</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Netteté</translation>
    </message>
    <message>
        <source>Backlight Compensation</source>
        <translation>Compensation du contre-jour</translation>
    </message>
    <message>
        <source>White Balance, Automatic</source>
        <translation>Balance des blancs automatique</translation>
    </message>
    <message>
        <source>White Balance Temperature</source>
        <translation>Température de la balance des blancs</translation>
    </message>
    <message>
        <source>White Balance Temperature, Auto</source>
        <translation>Température de la balance des blancs automatique</translation>
    </message>
    <message>
        <source>Power Line Frequency</source>
        <translation>Fréquence du secteur</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Désactivé</translation>
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
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Auto Exposure</source>
        <translation>Exposition automatique</translation>
    </message>
    <message>
        <source>Exposure, Auto</source>
        <translation>Exposition automatique</translation>
    </message>
    <message>
        <source>Auto Mode</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Manual Mode</source>
        <translation>Manuelle</translation>
    </message>
    <message>
        <source>Shutter Priority Mode</source>
        <translation>Priorité à la vitesse</translation>
    </message>
    <message>
        <source>Aperture Priority Mode</source>
        <translation>Priorité à l’ouverture</translation>
    </message>
    <message>
        <source>Exposure Time, Absolute</source>
        <translation>Temps d’exposition</translation>
    </message>
    <message>
        <source>Exposure (Absolute)</source>
        <translation>Temps d’exposition</translation>
    </message>
    <message>
        <source>Exposure, Dynamic Framerate</source>
        <translation>Exposition, cadence variable</translation>
    </message>
    <message>
        <source>Focus, Absolute</source>
        <translation>Mise au point</translation>
    </message>
    <message>
        <source>Focus (absolute)</source>
        <translation>Mise au point</translation>
    </message>
    <message>
        <source>Focus, Automatic Continuous</source>
        <translation>Mise au point automatique continue</translation>
    </message>
    <message>
        <source>Focus, Auto</source>
        <translation>Mise au point automatique</translation>
    </message>
    <message>
        <source>Auto Focus, Start</source>
        <translation>Lancer l’autofocus</translation>
    </message>
    <message>
        <source>Zoom, Absolute</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Pan, Absolute</source>
        <translation>Panoramique</translation>
    </message>
    <message>
        <source>Tilt, Absolute</source>
        <translation>Inclinaison</translation>
    </message>
    <message>
        <source>Privacy</source>
        <translation>Obturateur de confidentialité</translation>
    </message>
</context>
<context>
    <name>CaptureView</name>
    <message>
        <source>The camera stopped sending pictures.</source>
        <translation>La caméra n’envoie plus d’images.</translation>
    </message>
    <message>
        <source>Frozen</source>
        <translation>Figée</translation>
    </message>
</context>
<context>
    <name>DrawingController</name>
    <message>
        <source>&amp;Pen</source>
        <translation>&amp;Stylo</translation>
    </message>
    <message>
        <source>Draw freely over the picture</source>
        <translation>Dessiner librement sur l’image</translation>
    </message>
    <message>
        <source>&amp;Highlighter</source>
        <translation>Sur&amp;ligneur</translation>
    </message>
    <message>
        <source>Mark the page with a broad see-through line</source>
        <translation>Marquer la page d’un large trait transparent</translation>
    </message>
    <message>
        <source>&amp;Arrow</source>
        <translation>&amp;Flèche</translation>
    </message>
    <message>
        <source>Point at something with a straight arrow</source>
        <translation>Désigner quelque chose d’une flèche droite</translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation>&amp;Rectangle</translation>
    </message>
    <message>
        <source>Frame a part of the page with a box</source>
        <translation>Encadrer une partie de la page</translation>
    </message>
    <message>
        <source>E&amp;llipse</source>
        <translation>&amp;Ellipse</translation>
    </message>
    <message>
        <source>Circle a part of the page</source>
        <translation>Entourer une partie de la page</translation>
    </message>
    <message>
        <source>&amp;Text</source>
        <translation>&amp;Texte</translation>
    </message>
    <message>
        <source>Write words where you click</source>
        <translation>Écrire du texte là où vous cliquez</translation>
    </message>
    <message>
        <source>&amp;Eraser</source>
        <translation>&amp;Gomme</translation>
    </message>
    <message>
        <source>Remove the marks you drag over</source>
        <translation>Effacer les traits sur lesquels vous glissez</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Jaune</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Noir</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanc</translation>
    </message>
    <message>
        <source>Thin Line</source>
        <translation>Trait fin</translation>
    </message>
    <message>
        <source>Medium Line</source>
        <translation>Trait moyen</translation>
    </message>
    <message>
        <source>Thick Line</source>
        <translation>Trait épais</translation>
    </message>
    <message>
        <source>&amp;Draw</source>
        <translation>Dessi&amp;n</translation>
    </message>
    <message>
        <source>Draw in %1</source>
        <translation>Dessiner en %1</translation>
    </message>
    <message>
        <source>Draw with a %1</source>
        <translation>Dessiner avec : %1</translation>
    </message>
    <message>
        <source>&amp;Undo Drawing</source>
        <translation>&amp;Annuler le dessin</translation>
    </message>
    <message>
        <source>Take back the last change to the drawing</source>
        <translation>Annuler la dernière modification du dessin</translation>
    </message>
    <message>
        <source>Re&amp;do Drawing</source>
        <translation>Réta&amp;blir le dessin</translation>
    </message>
    <message>
        <source>Make the change taken back again</source>
        <translation>Rétablir la modification annulée</translation>
    </message>
    <message>
        <source>&amp;Clear Drawing</source>
        <translation>Effa&amp;cer le dessin</translation>
    </message>
    <message>
        <source>Remove the whole drawing (it can be undone)</source>
        <translation>Effacer tout le dessin (peut être annulé)</translation>
    </message>
    <message>
        <source>Take Photo &amp;Without the Drawing</source>
        <translation>Prendre une photo sans le &amp;dessin</translation>
    </message>
    <message>
        <source>Take Photo &amp;With the Drawing</source>
        <translation>Prendre une photo avec le &amp;dessin</translation>
    </message>
    <message>
        <source>Colour of the drawing</source>
        <translation>Couleur du dessin</translation>
    </message>
    <message>
        <source>Width of the lines</source>
        <translation>Épaisseur des traits</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Line Width</source>
        <translation>Épaisseur du trait</translation>
    </message>
</context>
<context>
    <name>DrawingModel</name>
    <message>
        <source>Draw</source>
        <translation>Dessiner</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Clear Drawing</source>
        <translation>Effacer le dessin</translation>
    </message>
</context>
<context>
    <name>DrawingOverlay</name>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Text to write on the picture:</source>
        <translation>Texte à écrire sur l’image :</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Effacer</translation>
    </message>
</context>
<context>
    <name>FormAccessibility</name>
    <message>
        <source>The arrow keys change the value</source>
        <translation>Les flèches changent la valeur</translation>
    </message>
    <message>
        <source>Space opens the choices; the arrow keys pick one</source>
        <translation>Espace ouvre la liste ; les flèches choisissent</translation>
    </message>
    <message>
        <source>A text field</source>
        <translation>Un champ de texte</translation>
    </message>
    <message>
        <source>Space chooses it</source>
        <translation>Espace le choisit</translation>
    </message>
</context>
<context>
    <name>FreezeControls</name>
    <message>
        <source>&amp;Freeze Picture</source>
        <translation>&amp;Figer l’image</translation>
    </message>
    <message>
        <source>Hold the picture still while you change the page; again to let it go (F)</source>
        <translation>Fige l’image pendant que vous changez de page ; à nouveau pour la libérer (F)</translation>
    </message>
    <message>
        <source>Un&amp;freeze Picture</source>
        <translation>Libérer l’&amp;image</translation>
    </message>
    <message>
        <source>Frozen</source>
        <translation>Figée</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Figer</translation>
    </message>
</context>
<context>
    <name>GeneralPreferencesPane</name>
    <message>
        <source>Focus once</source>
        <translation>Mise au point unique</translation>
    </message>
    <message>
        <source>Zoom in one step</source>
        <translation>Zoom avant d’un cran</translation>
    </message>
    <message>
        <source>Exposure up one step</source>
        <translation>Exposition plus forte d’un cran</translation>
    </message>
    <message>
        <source>Mirror horizontally</source>
        <translation>Miroir horizontal</translation>
    </message>
    <message>
        <source>Freeze the picture</source>
        <translation>Figer l’image</translation>
    </message>
    <message>
        <source>Start or Stop Recording</source>
        <translation>Démarrer ou arrêter l’enregistrement</translation>
    </message>
    <message>
        <source>Restore its last settings</source>
        <translation>Rétablir ses derniers réglages</translation>
    </message>
    <message>
        <source>Use its default settings</source>
        <translation>Utiliser ses réglages par défaut</translation>
    </message>
    <message>
        <source>By date</source>
        <translation>Par date</translation>
    </message>
    <message>
        <source>With the prefix</source>
        <translation>Avec le préfixe</translation>
    </message>
    <message>
        <source>Lecture</source>
        <translation>Cours</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Choisir…</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>2 seconds</source>
        <translation>2 secondes</translation>
    </message>
    <message>
        <source>4 seconds</source>
        <translation>4 secondes</translation>
    </message>
    <message>
        <source>Shutter sound for snapshots</source>
        <translation>Bruit de déclencheur pour les photos</translation>
    </message>
    <message>
        <source>Sounds while the camera focuses</source>
        <translation>Sons pendant la mise au point</translation>
    </message>
    <message>
        <source>Photos include the drawing over the picture</source>
        <translation>Les photos incluent le dessin sur l’image</translation>
    </message>
    <message>
        <source>Shift+Return takes a photo the other way</source>
        <translation>Maj+Entrée prend la photo dans l’autre sens</translation>
    </message>
    <message>
        <source>Programmable button:</source>
        <translation>Bouton programmable :</translation>
    </message>
    <message>
        <source>When a camera is attached:</source>
        <translation>Au branchement d’une caméra :</translation>
    </message>
    <message>
        <source>Photo names:</source>
        <translation>Noms des photos :</translation>
    </message>
    <message>
        <source>Photo library:</source>
        <translation>Photothèque :</translation>
    </message>
    <message>
        <source>Preview after a snapshot:</source>
        <translation>Aperçu après une photo :</translation>
    </message>
    <message>
        <source>Sounds:</source>
        <translation>Sons :</translation>
    </message>
    <message>
        <source>Drawing:</source>
        <translation>Dessin :</translation>
    </message>
    <message>
        <source>Recording:</source>
        <translation>Enregistrement :</translation>
    </message>
    <message>
        <source>This camera has no programmable button.</source>
        <translation>Cette caméra n’a pas de bouton programmable.</translation>
    </message>
    <message>
        <source>Brings the camera into focus once.</source>
        <translation>Fait une mise au point unique.</translation>
    </message>
    <message>
        <source>Zooms into the image for one level.</source>
        <translation>Agrandit l’image d’un cran.</translation>
    </message>
    <message>
        <source>Increases exposure for one level.</source>
        <translation>Augmente l’exposition d’un cran.</translation>
    </message>
    <message>
        <source>Flips the current view horizontally.</source>
        <translation>Retourne l’image horizontalement.</translation>
    </message>
    <message>
        <source>Holds the picture still while the camera keeps sending; a second press lets it go.</source>
        <translation>Fige l’image pendant que la caméra continue d’envoyer ; un second appui la libère.</translation>
    </message>
    <message>
        <source>Starts recording the picture as a video; a second press stops it.</source>
        <translation>Enregistre l’image en vidéo ; un second appui arrête l’enregistrement.</translation>
    </message>
    <message>
        <source>Photo Library Folder</source>
        <translation>Dossier de la photothèque</translation>
    </message>
    <message>
        <source>Choose</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <source>Photo Library</source>
        <translation>Photothèque</translation>
    </message>
    <message>
        <source>Photos cannot be saved in &quot;%1&quot;.</source>
        <translation>Impossible d’enregistrer des photos dans « %1 ».</translation>
    </message>
    <message>
        <source>Arvo cannot write to that folder. The photo library stays in &quot;%1&quot;.</source>
        <translation>Arvo ne peut pas écrire dans ce dossier. La photothèque reste dans « %1 ».</translation>
    </message>
</context>
<context>
    <name>ImageAdjustmentPane</name>
    <message>
        <source>Brightness:</source>
        <translation>Luminosité :</translation>
    </message>
    <message>
        <source>Contrast:</source>
        <translation>Contraste :</translation>
    </message>
    <message>
        <source>Gamma:</source>
        <translation>Gamma :</translation>
    </message>
    <message>
        <source>Hue:</source>
        <translation>Teinte :</translation>
    </message>
    <message>
        <source>Saturation:</source>
        <translation>Saturation :</translation>
    </message>
    <message>
        <source>Sharpness:</source>
        <translation>Netteté :</translation>
    </message>
    <message>
        <source>Camera:</source>
        <translation>Caméra :</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Valeurs par défaut</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Unique</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>(set on the camera)</source>
        <translation>(réglé sur la caméra)</translation>
    </message>
    <message>
        <source>Focus:</source>
        <translation>Mise au point :</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
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
        <translation>Réglez la fréquence du secteur pour que les lampes ne scintillent pas à l’image.</translation>
    </message>
    <message>
        <source>Power line:</source>
        <translation>Secteur :</translation>
    </message>
</context>
<context>
    <name>KeyboardShortcutsWindow</name>
    <message>
        <source>Other keys</source>
        <translation>Autres touches</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Raccourcis clavier</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Touches</translation>
    </message>
</context>
<context>
    <name>LibraryFile</name>
    <message>
        <source>it is a folder</source>
        <translation>c’est un dossier</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>%1 bytes is too large for a photo</source>
        <translation>%1 octets, c’est trop pour une photo</translation>
    </message>
</context>
<context>
    <name>LibraryFolder</name>
    <message>
        <source>The photo library folder &quot;%1&quot; is missing. Photos cannot be saved until it is back (is the disk it is on plugged in?) or another folder is chosen in the preferences.</source>
        <translation>Le dossier de la photothèque « %1 » est introuvable. Aucune photo ne peut être enregistrée avant son retour (son disque est-il branché ?) ou le choix d’un autre dossier dans les préférences.</translation>
    </message>
    <message>
        <source>The photo library folder &quot;%1&quot; could not be created. Photos cannot be saved until it exists.</source>
        <translation>Le dossier de la photothèque « %1 » n’a pas pu être créé. Aucune photo ne peut être enregistrée tant qu’il n’existe pas.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a file, not a folder, so photos cannot be saved there. The file was left as it is; move it away or choose another library folder.</source>
        <translation>« %1 » est un fichier et non un dossier : impossible d’y enregistrer des photos. Le fichier est laissé tel quel ; déplacez-le ou choisissez un autre dossier de photothèque.</translation>
    </message>
</context>
<context>
    <name>LumoAboutWindowController</name>
    <message>
        <source>About Arvo</source>
        <translation>À propos d’Arvo</translation>
    </message>
    <message>
        <source>Live picture and snapshots for document cameras</source>
        <translation>Image en direct et photos pour caméras de documents</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Camera firmware %1</source>
        <translation>Micrologiciel de la caméra %1</translation>
    </message>
    <message>
        <source>Online Help</source>
        <translation>Aide en ligne</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Rechercher des mises à jour</translation>
    </message>
    <message>
        <source>%1 Build %2</source>
        <translation>%1 build %2</translation>
    </message>
</context>
<context>
    <name>LumoActionController</name>
    <message>
        <source>No picture to take yet: the camera has not shown a frame.</source>
        <translation>Pas encore d’image à prendre : la caméra n’a affiché aucune image.</translation>
    </message>
    <message>
        <source>The camera stopped sending pictures, so no photo was taken.</source>
        <translation>La caméra n’envoie plus d’images : aucune photo n’a été prise.</translation>
    </message>
    <message>
        <source>The camera has not switched to the chosen resolution yet, so no photo was taken. Take the photo again.</source>
        <translation>La caméra n’est pas encore passée à la résolution choisie : aucune photo n’a été prise. Reprenez la photo.</translation>
    </message>
    <message>
        <source>The camera changed, so no photo was taken.</source>
        <translation>La caméra a changé : aucune photo n’a été prise.</translation>
    </message>
    <message>
        <source>The camera sent a damaged picture, so no photo was taken. Take the photo again.</source>
        <translation>La caméra a envoyé une image endommagée : aucune photo n’a été prise. Reprenez la photo.</translation>
    </message>
</context>
<context>
    <name>LumoAlbumView</name>
    <message>
        <source>Previous Photo</source>
        <translation>Photo précédente</translation>
    </message>
    <message>
        <source>Next Photo</source>
        <translation>Photo suivante</translation>
    </message>
    <message>
        <source>Selects the photo before the selected one</source>
        <translation>Sélectionne la photo précédente</translation>
    </message>
    <message>
        <source>Selects the photo after the selected one</source>
        <translation>Sélectionne la photo suivante</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>Photos</translation>
    </message>
    <message>
        <source>The photos in the library; Left, Right, Home and End move the selection</source>
        <translation>Les photos de la photothèque ; Gauche, Droite, Début et Fin déplacent la sélection</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>Photo</translation>
    </message>
    <message>
        <source>The selected photo; + and - zoom it</source>
        <translation>La photo sélectionnée ; + et - la zooment</translation>
    </message>
</context>
<context>
    <name>LumoAppController</name>
    <message>
        <source>The settings file could not be read and was kept as &quot;%1&quot;; Arvo starts with its default settings.</source>
        <translation>Le fichier de réglages n’a pas pu être lu et a été conservé sous « %1 » ; Arvo démarre avec les réglages par défaut.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Préférences…</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translation>&amp;Mode</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;ide</translation>
    </message>
    <message>
        <source>Arvo &amp;Help</source>
        <translation>&amp;Aide d’Arvo</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Raccourcis clavier</translation>
    </message>
    <message>
        <source>Every key of Arvo&apos;s window (Ctrl+/)</source>
        <translation>Toutes les touches de la fenêtre d’Arvo (Ctrl+/)</translation>
    </message>
    <message>
        <source>&amp;About Arvo</source>
        <translation>À &amp;propos d’Arvo</translation>
    </message>
</context>
<context>
    <name>LumoAttachController</name>
    <message>
        <source>Take Photo</source>
        <translation>Prendre une photo</translation>
    </message>
    <message>
        <source>Saves the current picture to the photo library</source>
        <translation>Enregistre l’image actuelle dans la photothèque</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Mise au point</translation>
    </message>
    <message>
        <source>Has the camera focus on the page once</source>
        <translation>Fait une mise au point unique sur la page</translation>
    </message>
    <message>
        <source>Leave Project Mode</source>
        <translation>Quitter la projection</translation>
    </message>
    <message>
        <source>Returns to the window with the toolbar</source>
        <translation>Revient à la fenêtre avec la barre d’outils</translation>
    </message>
    <message>
        <source>Cancel Self-Timer</source>
        <translation>Annuler le retardateur</translation>
    </message>
    <message>
        <source>Stops the countdown before the photo is taken</source>
        <translation>Arrête le compte à rebours avant la prise de la photo</translation>
    </message>
    <message>
        <source>Focus Mark</source>
        <translation>Repère de mise au point</translation>
    </message>
    <message>
        <source>Shows while the camera focuses and when it is done</source>
        <translation>S’affiche pendant la mise au point et quand elle est faite</translation>
    </message>
    <message>
        <source>Focus Mode</source>
        <translation>Mode de mise au point</translation>
    </message>
    <message>
        <source>Shows whether the camera focuses once or all the time</source>
        <translation>Indique si la mise au point est unique ou continue</translation>
    </message>
    <message>
        <source>Exposure Level</source>
        <translation>Niveau d’exposition</translation>
    </message>
    <message>
        <source>Shows the exposure step just chosen</source>
        <translation>Affiche le cran d’exposition choisi</translation>
    </message>
</context>
<context>
    <name>LumoCameraModeControls</name>
    <message>
        <source>On</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Non</translation>
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
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Exposition</translation>
    </message>
    <message>
        <source>AE</source>
        <translation>AE</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Retardateur</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Résolution</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>No camera connected</source>
        <translation>Aucune caméra branchée</translation>
    </message>
    <message>
        <source>%1 · %2°</source>
        <translation>%1 · %2°</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Miroir</translation>
    </message>
    <message>
        <source>Enlarges part of the live picture</source>
        <translation>Agrandit une partie de l’image en direct</translation>
    </message>
    <message>
        <source>Makes the live picture brighter or darker</source>
        <translation>Éclaircit ou assombrit l’image en direct</translation>
    </message>
    <message>
        <source>Lets the camera set the brightness itself, or keeps it where it is</source>
        <translation>Laisse la caméra régler la luminosité ou la garde telle quelle</translation>
    </message>
    <message>
        <source>Waits a few seconds before a photo is taken</source>
        <translation>Attend quelques secondes avant la prise de la photo</translation>
    </message>
    <message>
        <source>Chooses how many pixels the camera sends</source>
        <translation>Choisit le nombre de pixels envoyés par la caméra</translation>
    </message>
    <message>
        <source>Flips or turns the live picture</source>
        <translation>Retourne ou fait pivoter l’image en direct</translation>
    </message>
    <message>
        <source>Enlarges the photo shown</source>
        <translation>Agrandit la photo affichée</translation>
    </message>
</context>
<context>
    <name>LumoCameraUvc</name>
    <message>
        <source>Video Camera</source>
        <translation>Caméra vidéo</translation>
    </message>
</context>
<context>
    <name>LumoImageView</name>
    <message>
        <source>“%1” cannot be shown: the file is empty, damaged or not a JPEG photo.</source>
        <translation>Impossible d’afficher « %1 » : le fichier est vide, endommagé ou n’est pas une photo JPEG.</translation>
    </message>
</context>
<context>
    <name>LumoMainWindowController</name>
    <message>
        <source>&amp;Take Photo</source>
        <translation>&amp;Prendre une photo</translation>
    </message>
    <message>
        <source>&amp;Camera</source>
        <translation>&amp;Caméra</translation>
    </message>
    <message>
        <source>&amp;Project</source>
        <translation>&amp;Projection</translation>
    </message>
    <message>
        <source>&amp;Review</source>
        <translation>&amp;Visionnage</translation>
    </message>
    <message>
        <source>Arvo</source>
        <translation>Arvo</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Enregistrée : %1</translation>
    </message>
    <message>
        <source>No camera connected</source>
        <translation>Aucune caméra branchée</translation>
    </message>
    <message>
        <source>%1
The camera is not sending pictures.</source>
        <translation>%1
La caméra n’envoie pas d’images.</translation>
    </message>
    <message>
        <source>%1
waiting for the picture…</source>
        <translation>%1
en attente de l’image…</translation>
    </message>
    <message>
        <source>Frozen, the camera sends %1 fps</source>
        <translation>Figée, la caméra envoie %1 i/s</translation>
    </message>
    <message>
        <source>%1 fps</source>
        <translation>%1 i/s</translation>
    </message>
    <message>
        <source>%1  ·  %2×%3  ·  %4</source>
        <translation>%1  ·  %2×%3  ·  %4</translation>
    </message>
    <message>
        <source>not sending</source>
        <translation>n’envoie rien</translation>
    </message>
    <message>
        <source>Saves the current picture to the photo library</source>
        <translation>Enregistre l’image actuelle dans la photothèque</translation>
    </message>
    <message>
        <source>Shows the live picture with the camera&apos;s controls</source>
        <translation>Affiche l’image en direct avec les réglages de la caméra</translation>
    </message>
    <message>
        <source>Shows the live picture on the whole screen</source>
        <translation>Affiche l’image en direct en plein écran</translation>
    </message>
    <message>
        <source>Shows the photos taken, to look at and sort</source>
        <translation>Affiche les photos prises, pour les regarder et les trier</translation>
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
        <translation>Volume</translation>
    </message>
    <message>
        <source>no movie header</source>
        <translation>pas d’en-tête vidéo</translation>
    </message>
    <message>
        <source>“%1” cannot be played: the file is empty, damaged or not a movie (%2).</source>
        <translation>Impossible de lire « %1 » : le fichier est vide, endommagé ou n’est pas une vidéo (%2).</translation>
    </message>
    <message>
        <source>%1 / %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>Pause (Space)</source>
        <translation>Pause (Espace)</translation>
    </message>
    <message>
        <source>Play (Space)</source>
        <translation>Lecture (Espace)</translation>
    </message>
    <message>
        <source>Where the movie plays; drag to move through it</source>
        <translation>La position dans la vidéo ; faites glisser pour la parcourir</translation>
    </message>
    <message>
        <source>How loud the movie plays</source>
        <translation>Le volume de la vidéo</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Stops the movie where it is</source>
        <translation>Met la vidéo en pause</translation>
    </message>
    <message>
        <source>Plays the movie</source>
        <translation>Lit la vidéo</translation>
    </message>
</context>
<context>
    <name>LumoPreferencesWindowController</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Image Adjustment</source>
        <translation>Réglage de l’image</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Système</translation>
    </message>
    <message>
        <source>Photo names, the library folder, sounds and recording</source>
        <translation>Noms des photos, dossier de la photothèque, sons et enregistrement</translation>
    </message>
    <message>
        <source>The camera&apos;s picture: brightness, colour, sharpness and focus</source>
        <translation>L’image de la caméra : luminosité, couleur, netteté et mise au point</translation>
    </message>
    <message>
        <source>The versions of the camera and of Arvo</source>
        <translation>Les versions de la caméra et d’Arvo</translation>
    </message>
</context>
<context>
    <name>LumoReviewController</name>
    <message>
        <source>Show in File Manager</source>
        <translation>Afficher dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>Mettre à la corbeille</translation>
    </message>
    <message>
        <source>Rotate &amp;Right</source>
        <translation>Faire pivoter à &amp;droite</translation>
    </message>
    <message>
        <source>Rotate &amp;Left</source>
        <translation>Faire pivoter à &amp;gauche</translation>
    </message>
    <message>
        <source>Previous Photo</source>
        <translation>Photo précédente</translation>
    </message>
    <message>
        <source>Next Photo</source>
        <translation>Photo suivante</translation>
    </message>
    <message>
        <source>Play or Pause Movie</source>
        <translation>Lire ou mettre en pause la vidéo</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Pivoter</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Faire pivoter à droite</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Faire pivoter à gauche</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Delete Error</source>
        <translation>Erreur de suppression</translation>
    </message>
    <message>
        <source>There is no file in your library directory!</source>
        <translation>Le dossier de la photothèque ne contient aucun fichier !</translation>
    </message>
    <message>
        <source>Opens the folder of the selected photo with the photo marked</source>
        <translation>Ouvre le dossier de la photo sélectionnée en la mettant en évidence</translation>
    </message>
    <message>
        <source>Moves the selected photos to the desktop&apos;s trash, after asking</source>
        <translation>Met les photos sélectionnées à la corbeille, après confirmation</translation>
    </message>
    <message>
        <source>Turns the selected photos a quarter turn</source>
        <translation>Fait pivoter les photos sélectionnées d’un quart de tour</translation>
    </message>
</context>
<context>
    <name>LumoScroller</name>
    <message>
        <source>Default</source>
        <translation>Défaut</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Exposition</translation>
    </message>
    <message>
        <source>Sets how bright the camera takes the picture; Up and Down step it</source>
        <translation>Règle la luminosité de la prise de vue ; Haut et Bas la changent par crans</translation>
    </message>
    <message>
        <source>Sets the exposure back to the camera&apos;s default</source>
        <translation>Remet l’exposition à la valeur par défaut de la caméra</translation>
    </message>
</context>
<context>
    <name>LumoWindow</name>
    <message>
        <source>Take a photo</source>
        <translation>Prendre une photo</translation>
    </message>
    <message>
        <source>Select all photos (review)</source>
        <translation>Sélectionner toutes les photos (visionnage)</translation>
    </message>
    <message>
        <source>Copy the selected photo (review)</source>
        <translation>Copier la photo sélectionnée (visionnage)</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Zoom avant</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Zoom arrière</translation>
    </message>
    <message>
        <source>Delete the selected photos (review)</source>
        <translation>Supprimer les photos sélectionnées (visionnage)</translation>
    </message>
    <message>
        <source>Previous photo (review)</source>
        <translation>Photo précédente (visionnage)</translation>
    </message>
    <message>
        <source>Next photo (review)</source>
        <translation>Photo suivante (visionnage)</translation>
    </message>
    <message>
        <source>Project mode</source>
        <translation>Mode projection</translation>
    </message>
    <message>
        <source>Leave project mode, or cancel the self-timer</source>
        <translation>Quitter le mode projection ou annuler le retardateur</translation>
    </message>
</context>
<context>
    <name>PanControls</name>
    <message>
        <source>Pan &amp;Left</source>
        <translation>Déplacer vers la &amp;gauche</translation>
    </message>
    <message>
        <source>Show more of the page&apos;s left side when zoomed in (Alt+Left)</source>
        <translation>Montrer davantage le côté gauche de la page en zoom (Alt+Gauche)</translation>
    </message>
    <message>
        <source>Show more of the page&apos;s right side when zoomed in (Alt+Right)</source>
        <translation>Montrer davantage le côté droit de la page en zoom (Alt+Droite)</translation>
    </message>
    <message>
        <source>Pan &amp;Up</source>
        <translation>Déplacer vers le &amp;haut</translation>
    </message>
    <message>
        <source>Show more of the page&apos;s top when zoomed in (Alt+Up)</source>
        <translation>Montrer davantage le haut de la page en zoom (Alt+Haut)</translation>
    </message>
    <message>
        <source>Pan &amp;Down</source>
        <translation>Déplacer vers le &amp;bas</translation>
    </message>
    <message>
        <source>Show more of the page&apos;s bottom when zoomed in (Alt+Down)</source>
        <translation>Montrer davantage le bas de la page en zoom (Alt+Bas)</translation>
    </message>
    <message>
        <source>Pan Ri&amp;ght</source>
        <translation>Déplacer vers la &amp;droite</translation>
    </message>
</context>
<context>
    <name>PhotoRotation</name>
    <message>
        <source>The file is not a readable JPEG photo.</source>
        <translation>Le fichier n’est pas une photo JPEG lisible.</translation>
    </message>
    <message>
        <source>The photo is too large to be turned.</source>
        <translation>La photo est trop grande pour être pivotée.</translation>
    </message>
    <message>
        <source>The photo is damaged and cannot be turned.</source>
        <translation>La photo est endommagée et ne peut pas être pivotée.</translation>
    </message>
    <message>
        <source>The turned photo could not be encoded.</source>
        <translation>La photo pivotée n’a pas pu être encodée.</translation>
    </message>
    <message>
        <source>The photo&apos;s metadata could not be kept.</source>
        <translation>Les métadonnées de la photo n’ont pas pu être conservées.</translation>
    </message>
    <message>
        <source>A photo can only be turned by quarter turns.</source>
        <translation>Une photo ne peut pivoter que par quarts de tour.</translation>
    </message>
    <message>
        <source>The photo cannot be read: %1</source>
        <translation>Impossible de lire la photo : %1</translation>
    </message>
    <message>
        <source>The turned photo cannot be written: %1</source>
        <translation>Impossible d’écrire la photo pivotée : %1</translation>
    </message>
</context>
<context>
    <name>PhotoSeries</name>
    <message>
        <source>No camera is connected, so no series was started.</source>
        <translation>Aucune caméra n’est branchée : aucune série n’a démarré.</translation>
    </message>
    <message>
        <source>next in %1:%2</source>
        <translation>suivante dans %1:%2</translation>
    </message>
    <message>
        <source>next in %1 s</source>
        <translation>suivante dans %1 s</translation>
    </message>
    <message>
        <source>Series: %1 of %2, %3</source>
        <translation>Série : %1 sur %2, %3</translation>
    </message>
    <message>
        <source>Series: %1 taken, %2</source>
        <translation>Série : %1 prises, %2</translation>
    </message>
    <message>
        <source>Series complete: %1 taken.</source>
        <translation>Série terminée : %1.</translation>
    </message>
    <message>
        <source>Series stopped after %1.</source>
        <translation>Série arrêtée après %1.</translation>
    </message>
    <message>
        <source>The camera was unplugged, so the series ended after %1.</source>
        <translation>La caméra a été débranchée : la série s’est arrêtée après %1.</translation>
    </message>
    <message>
        <source>The camera changed, so the series ended after %1.</source>
        <translation>La caméra a changé : la série s’est arrêtée après %1.</translation>
    </message>
    <message>
        <source>Arvo is quitting, so the series ended after %1.</source>
        <translation>Arvo se ferme : la série s’est arrêtée après %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n photo(s)</source>
        <translation>
            <numerusform>%n photo</numerusform>
            <numerusform>%n photos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PhotoTrash</name>
    <message>
        <source>The photo %1 is no longer there.</source>
        <translation>La photo %1 n’existe plus.</translation>
    </message>
    <message>
        <source>The disk that holds the photo library has no trash, so the photo was not moved. Delete it in the file manager, or keep the library in your home folder.</source>
        <translation>Le disque de la photothèque n’a pas de corbeille : la photo n’a pas été déplacée. Supprimez-la dans le gestionnaire de fichiers, ou placez la photothèque dans votre dossier personnel.</translation>
    </message>
    <message>
        <source>The trash folder %1 cannot be used.</source>
        <translation>Le dossier de corbeille %1 est inutilisable.</translation>
    </message>
    <message>
        <source>The trash folder %1 cannot be written.</source>
        <translation>Impossible d’écrire dans le dossier de corbeille %1.</translation>
    </message>
    <message>
        <source>The photo could not be moved to the trash: %1</source>
        <translation>La photo n’a pas pu être mise à la corbeille : %1</translation>
    </message>
</context>
<context>
    <name>PhotoWriter</name>
    <message>
        <source>There is no picture to save yet. Wait until the camera shows a picture, then take the photo again.</source>
        <translation>Il n’y a pas encore d’image à enregistrer. Attendez que la caméra affiche une image, puis reprenez la photo.</translation>
    </message>
    <message>
        <source>No photo library folder is chosen. Choose one in the preferences.</source>
        <translation>Aucun dossier de photothèque n’est choisi. Choisissez-en un dans les préférences.</translation>
    </message>
    <message>
        <source>The photo library folder &quot;%1&quot; does not exist, so the photo was not saved. Create it or choose another folder in the preferences.</source>
        <translation>Le dossier de la photothèque « %1 » n’existe pas : la photo n’a pas été enregistrée. Créez-le ou choisissez un autre dossier dans les préférences.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a file, not a folder, so the photo was not saved. Choose another library folder in the preferences.</source>
        <translation>« %1 » est un fichier et non un dossier : la photo n’a pas été enregistrée. Choisissez un autre dossier de photothèque dans les préférences.</translation>
    </message>
    <message>
        <source>The picture could not be turned into a photo (%1).</source>
        <translation>L’image n’a pas pu être convertie en photo (%1).</translation>
    </message>
    <message>
        <source>The photo could not be written to &quot;%1&quot;: %2</source>
        <translation>La photo n’a pas pu être écrite dans « %1 » : %2</translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>Default microphone</source>
        <translation>Micro par défaut</translation>
    </message>
    <message>
        <source>There is no picture to record yet. Wait until the camera shows a picture, then start the recording again.</source>
        <translation>Il n’y a pas encore d’image à enregistrer. Attendez que la caméra affiche une image, puis relancez l’enregistrement.</translation>
    </message>
    <message>
        <source>The photo library folder &quot;%1&quot; cannot be written to, so nothing is recorded. Choose another folder in the preferences.</source>
        <translation>Impossible d’écrire dans le dossier de la photothèque « %1 » : rien n’est enregistré. Choisissez un autre dossier dans les préférences.</translation>
    </message>
    <message>
        <source>Recording needs GStreamer&apos;s %1, which is not installed.</source>
        <translation>L’enregistrement nécessite %1 de GStreamer, qui n’est pas installé.</translation>
    </message>
    <message>
        <source>The recording could not be started: %1</source>
        <translation>L’enregistrement n’a pas pu démarrer : %1</translation>
    </message>
    <message>
        <source>The recording broke off before anything was written: %1</source>
        <translation>L’enregistrement s’est interrompu avant toute écriture : %1</translation>
    </message>
    <message>
        <source>The camera was unplugged; the recording was saved: %1</source>
        <translation>La caméra a été débranchée ; l’enregistrement a été sauvegardé : %1</translation>
    </message>
    <message>
        <source>The camera changed; the recording was saved: %1</source>
        <translation>La caméra a changé ; l’enregistrement a été sauvegardé : %1</translation>
    </message>
    <message>
        <source>The disk is full; the recording was saved up to there: %1</source>
        <translation>Le disque est plein ; l’enregistrement a été sauvegardé jusque-là : %1</translation>
    </message>
    <message>
        <source>The recording could not be written further; what was recorded was saved: %1</source>
        <translation>L’enregistrement n’a pas pu continuer ; ce qui a été enregistré est sauvegardé : %1</translation>
    </message>
    <message>
        <source>Recording saved: %1</source>
        <translation>Enregistrement sauvegardé : %1</translation>
    </message>
</context>
<context>
    <name>RecordingControls</name>
    <message>
        <source>Recording without sound: no microphone</source>
        <translation>Enregistrement sans son : aucun micro</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 Mo</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 Go</translation>
    </message>
    <message>
        <source>Recording %1 · %2</source>
        <translation>Enregistrement %1 · %2</translation>
    </message>
    <message>
        <source>Stop &amp;Recording</source>
        <translation>Arrêter l’&amp;enregistrement</translation>
    </message>
    <message>
        <source>Start &amp;Recording</source>
        <translation>Démarrer l’&amp;enregistrement</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Stop the recording (R)</source>
        <translation>Arrêter l’enregistrement (R)</translation>
    </message>
    <message>
        <source>Record the picture as a video (R)</source>
        <translation>Enregistrer l’image en vidéo (R)</translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Arrêter l’enregistrement</translation>
    </message>
    <message>
        <source>Start Recording</source>
        <translation>Démarrer l’enregistrement</translation>
    </message>
</context>
<context>
    <name>RecordingPreferences</name>
    <message>
        <source>Record sound</source>
        <translation>Enregistrer le son</translation>
    </message>
    <message>
        <source>The microphone a recording takes its sound from</source>
        <translation>Le micro dont l’enregistrement prend le son</translation>
    </message>
    <message>
        <source>Video quality:</source>
        <translation>Qualité vidéo :</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Basse</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Haute</translation>
    </message>
    <message>
        <source>Default microphone</source>
        <translation>Micro par défaut</translation>
    </message>
    <message>
        <source>%1 (not connected)</source>
        <translation>%1 (non branché)</translation>
    </message>
</context>
<context>
    <name>ReviewTexts</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>%n sélectionnée</numerusform>
            <numerusform>%n sélectionnées</numerusform>
        </translation>
    </message>
    <message>
        <source>No photos yet</source>
        <translation>Aucune photo pour l’instant</translation>
    </message>
    <message>
        <source>Switch to Camera mode (%1), then press the camera&apos;s snapshot button or choose File ▸ Take Photo (%2).</source>
        <translation>Passez en mode Caméra (%1), puis appuyez sur le bouton photo de la caméra ou choisissez Fichier ▸ Prendre une photo (%2).</translation>
    </message>
    <message>
        <source>Move “%1” to the trash?</source>
        <translation>Mettre « %1 » à la corbeille ?</translation>
    </message>
    <message numerus="yes">
        <source>Move %n photos to the trash?</source>
        <translation>
            <numerusform>Mettre %n photo à la corbeille ?</numerusform>
            <numerusform>Mettre %n photos à la corbeille ?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move %n recordings to the trash?</source>
        <translation>
            <numerusform>Mettre %n enregistrement à la corbeille ?</numerusform>
            <numerusform>Mettre %n enregistrements à la corbeille ?</numerusform>
        </translation>
    </message>
    <message>
        <source>1 photo</source>
        <translation>1 photo</translation>
    </message>
    <message numerus="yes">
        <source>%n photos</source>
        <translation>
            <numerusform>%n photo</numerusform>
            <numerusform>%n photos</numerusform>
        </translation>
    </message>
    <message>
        <source>1 recording</source>
        <translation>1 enregistrement</translation>
    </message>
    <message numerus="yes">
        <source>%n recordings</source>
        <translation>
            <numerusform>%n enregistrement</numerusform>
            <numerusform>%n enregistrements</numerusform>
        </translation>
    </message>
    <message>
        <source>Move %1 and %2 to the trash?</source>
        <translation>Mettre %1 et %2 à la corbeille ?</translation>
    </message>
    <message>
        <source>It can be put back from the trash.</source>
        <translation>Récupérable depuis la corbeille.</translation>
    </message>
    <message>
        <source>They can be put back from the trash.</source>
        <translation>Récupérables depuis la corbeille.</translation>
    </message>
</context>
<context>
    <name>RotationControls</name>
    <message>
        <source>Upright</source>
        <translation>Sans rotation</translation>
    </message>
    <message>
        <source>Turned %1°</source>
        <translation>Pivotée de %1°</translation>
    </message>
    <message>
        <source>&amp;Rotate Picture</source>
        <translation>&amp;Pivoter l’image</translation>
    </message>
    <message>
        <source>Turn the picture a quarter clockwise, for a camera facing you or a page lying sideways (Ctrl+Shift+R)</source>
        <translation>Faire pivoter l’image d’un quart de tour dans le sens horaire, pour une caméra tournée vers vous ou une page posée de côté (Ctrl+Maj+R)</translation>
    </message>
</context>
<context>
    <name>SeriesControls</name>
    <message>
        <source>Photos at &amp;Intervals…</source>
        <translation>Photos à &amp;intervalles…</translation>
    </message>
    <message>
        <source>Take a photo every few seconds or minutes (Ctrl+I)</source>
        <translation>Prendre une photo toutes les quelques secondes ou minutes (Ctrl+I)</translation>
    </message>
    <message>
        <source>&amp;Stop Series</source>
        <translation>&amp;Arrêter la série</translation>
    </message>
    <message>
        <source>Stop taking photos at intervals (Ctrl+Shift+I)</source>
        <translation>Arrêter les photos à intervalles (Ctrl+Maj+I)</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Intervalles</translation>
    </message>
    <message>
        <source>Take photos at intervals (Ctrl+I); click again to stop (Ctrl+Shift+I)</source>
        <translation>Prendre des photos à intervalles (Ctrl+I) ; cliquer à nouveau pour arrêter (Ctrl+Maj+I)</translation>
    </message>
</context>
<context>
    <name>SeriesDialog</name>
    <message>
        <source>Photos at Intervals</source>
        <translation>Photos à intervalles</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>From 2 seconds to 10 minutes (600 s)</source>
        <translation>De 2 secondes à 10 minutes (600 s)</translation>
    </message>
    <message>
        <source>Until stopped</source>
        <translation>Jusqu’à l’arrêt</translation>
    </message>
    <message>
        <source>Take a photo every:</source>
        <translation>Une photo toutes les :</translation>
    </message>
    <message>
        <source>Number of photos:</source>
        <translation>Nombre de photos :</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
</context>
<context>
    <name>SystemPreferencesPane</name>
    <message>
        <source>Camera firmware:</source>
        <translation>Micrologiciel de la caméra :</translation>
    </message>
    <message>
        <source>Arvo:</source>
        <translation>Arvo :</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Rechercher des mises à jour</translation>
    </message>
    <message>
        <source>Opens the page with the newest version of Arvo</source>
        <translation>Ouvre la page de la dernière version d’Arvo</translation>
    </message>
</context>
<context>
    <name>ToolbarFocus</name>
    <message>
        <source>More Controls</source>
        <translation>Plus de réglages</translation>
    </message>
    <message>
        <source>Shows the controls the window is too narrow for</source>
        <translation>Affiche les réglages pour lesquels la fenêtre est trop étroite</translation>
    </message>
</context>
<context>
    <name>V4l2CaptureDevice</name>
    <message>
        <source>%1

System message: %2 (%3)</source>
        <translation>%1

Message du système : %2 (%3)</translation>
    </message>
    <message>
        <source>The camera&apos;s video could not be opened.</source>
        <translation>La vidéo de la caméra n’a pas pu être ouverte.</translation>
    </message>
    <message>
        <source>Check that no other program uses the camera, then unplug it and plug it in again.</source>
        <translation>Vérifiez qu’aucun autre programme n’utilise la caméra, puis débranchez-la et rebranchez-la.</translation>
    </message>
    <message>
        <source>The camera&apos;s video is not open.</source>
        <translation>La vidéo de la caméra n’est pas ouverte.</translation>
    </message>
    <message>
        <source>Unplug the camera and plug it in again.</source>
        <translation>Débranchez la caméra et rebranchez-la.</translation>
    </message>
    <message>
        <source>The camera&apos;s video could not be started.</source>
        <translation>La vidéo de la caméra n’a pas pu démarrer.</translation>
    </message>
    <message>
        <source>The camera offers no picture format that can be shown.</source>
        <translation>La caméra ne propose aucun format d’image affichable.</translation>
    </message>
    <message>
        <source>The camera was disconnected.</source>
        <translation>La caméra a été débranchée.</translation>
    </message>
    <message>
        <source>Plug the camera in again.</source>
        <translation>Rebranchez la caméra.</translation>
    </message>
    <message>
        <source>The camera stopped sending pictures.</source>
        <translation>La caméra n’envoie plus d’images.</translation>
    </message>
</context>
<context>
    <name>VirtualCaptureDevice</name>
    <message>
        <source>The camera was disconnected.</source>
        <translation>La caméra a été débranchée.</translation>
    </message>
    <message>
        <source>Plug the camera in again.</source>
        <translation>Rebranchez la caméra.</translation>
    </message>
    <message>
        <source>The camera&apos;s video could not be opened.</source>
        <translation>La vidéo de la caméra n’a pas pu être ouverte.</translation>
    </message>
    <message>
        <source>Check that no other program uses the camera, then unplug it and plug it in again.</source>
        <translation>Vérifiez qu’aucun autre programme n’utilise la caméra, puis débranchez-la et rebranchez-la.</translation>
    </message>
    <message>
        <source>The camera&apos;s video is not open.</source>
        <translation>La vidéo de la caméra n’est pas ouverte.</translation>
    </message>
    <message>
        <source>Unplug the camera and plug it in again.</source>
        <translation>Débranchez la caméra et rebranchez-la.</translation>
    </message>
</context>
</TS>
