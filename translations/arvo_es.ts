<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>CameraControl</name>
    <message>
        <source>Brightness</source>
        <translation>Brillo</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturación</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Tono</translation>
    </message>
    <message>
        <source>Hue, Automatic</source>
        <translation>Tono automático</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Ganancia</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Nitidez</translation>
    </message>
    <message>
        <source>Backlight Compensation</source>
        <translation>Compensación de contraluz</translation>
    </message>
    <message>
        <source>White Balance, Automatic</source>
        <translation>Balance de blancos automático</translation>
    </message>
    <message>
        <source>White Balance Temperature</source>
        <translation>Temperatura del balance de blancos</translation>
    </message>
    <message>
        <source>White Balance Temperature, Auto</source>
        <translation>Temperatura del balance de blancos automática</translation>
    </message>
    <message>
        <source>Power Line Frequency</source>
        <translation>Frecuencia de la red</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Desactivado</translation>
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
        <translation>Automático</translation>
    </message>
    <message>
        <source>Auto Exposure</source>
        <translation>Exposición automática</translation>
    </message>
    <message>
        <source>Exposure, Auto</source>
        <translation>Exposición automática</translation>
    </message>
    <message>
        <source>Auto Mode</source>
        <translation>Automático</translation>
    </message>
    <message>
        <source>Manual Mode</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Shutter Priority Mode</source>
        <translation>Prioridad de obturación</translation>
    </message>
    <message>
        <source>Aperture Priority Mode</source>
        <translation>Prioridad de apertura</translation>
    </message>
    <message>
        <source>Exposure Time, Absolute</source>
        <translation>Tiempo de exposición</translation>
    </message>
    <message>
        <source>Exposure (Absolute)</source>
        <translation>Tiempo de exposición</translation>
    </message>
    <message>
        <source>Exposure, Dynamic Framerate</source>
        <translation>Exposición, velocidad de fotogramas variable</translation>
    </message>
    <message>
        <source>Focus, Absolute</source>
        <translation>Enfoque</translation>
    </message>
    <message>
        <source>Focus (absolute)</source>
        <translation>Enfoque</translation>
    </message>
    <message>
        <source>Focus, Automatic Continuous</source>
        <translation>Enfoque automático continuo</translation>
    </message>
    <message>
        <source>Focus, Auto</source>
        <translation>Enfoque automático</translation>
    </message>
    <message>
        <source>Auto Focus, Start</source>
        <translation>Iniciar autoenfoque</translation>
    </message>
    <message>
        <source>Zoom, Absolute</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Pan, Absolute</source>
        <translation>Panorámica</translation>
    </message>
    <message>
        <source>Tilt, Absolute</source>
        <translation>Inclinación</translation>
    </message>
    <message>
        <source>Privacy</source>
        <translation>Obturador de privacidad</translation>
    </message>
</context>
<context>
    <name>CaptureView</name>
    <message>
        <source>The camera stopped sending pictures.</source>
        <translation>La cámara ha dejado de enviar imágenes.</translation>
    </message>
    <message>
        <source>Frozen</source>
        <translation>Congelada</translation>
    </message>
</context>
<context>
    <name>DrawingController</name>
    <message>
        <source>&amp;Pen</source>
        <translation>&amp;Lápiz</translation>
    </message>
    <message>
        <source>Draw freely over the picture</source>
        <translation>Dibujar a mano alzada sobre la imagen</translation>
    </message>
    <message>
        <source>&amp;Highlighter</source>
        <translation>&amp;Marcador</translation>
    </message>
    <message>
        <source>Mark the page with a broad see-through line</source>
        <translation>Marcar la página con un trazo ancho y transparente</translation>
    </message>
    <message>
        <source>&amp;Arrow</source>
        <translation>&amp;Flecha</translation>
    </message>
    <message>
        <source>Point at something with a straight arrow</source>
        <translation>Señalar algo con una flecha recta</translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation>&amp;Rectángulo</translation>
    </message>
    <message>
        <source>Frame a part of the page with a box</source>
        <translation>Enmarcar una parte de la página</translation>
    </message>
    <message>
        <source>E&amp;llipse</source>
        <translation>&amp;Elipse</translation>
    </message>
    <message>
        <source>Circle a part of the page</source>
        <translation>Rodear con un círculo una parte de la página</translation>
    </message>
    <message>
        <source>&amp;Text</source>
        <translation>&amp;Texto</translation>
    </message>
    <message>
        <source>Write words where you click</source>
        <translation>Escribir texto donde haga clic</translation>
    </message>
    <message>
        <source>&amp;Eraser</source>
        <translation>&amp;Goma</translation>
    </message>
    <message>
        <source>Remove the marks you drag over</source>
        <translation>Borrar los trazos sobre los que arrastre</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rojo</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Azul</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Amarillo</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Negro</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanco</translation>
    </message>
    <message>
        <source>Thin Line</source>
        <translation>Trazo fino</translation>
    </message>
    <message>
        <source>Medium Line</source>
        <translation>Trazo medio</translation>
    </message>
    <message>
        <source>Thick Line</source>
        <translation>Trazo grueso</translation>
    </message>
    <message>
        <source>&amp;Draw</source>
        <translation>&amp;Dibujo</translation>
    </message>
    <message>
        <source>Draw in %1</source>
        <translation>Dibujar en %1</translation>
    </message>
    <message>
        <source>Draw with a %1</source>
        <translation>Dibujar con: %1</translation>
    </message>
    <message>
        <source>&amp;Undo Drawing</source>
        <translation>&amp;Deshacer dibujo</translation>
    </message>
    <message>
        <source>Take back the last change to the drawing</source>
        <translation>Deshacer el último cambio del dibujo</translation>
    </message>
    <message>
        <source>Re&amp;do Drawing</source>
        <translation>Re&amp;hacer dibujo</translation>
    </message>
    <message>
        <source>Make the change taken back again</source>
        <translation>Volver a aplicar el cambio deshecho</translation>
    </message>
    <message>
        <source>&amp;Clear Drawing</source>
        <translation>&amp;Borrar dibujo</translation>
    </message>
    <message>
        <source>Remove the whole drawing (it can be undone)</source>
        <translation>Borrar todo el dibujo (se puede deshacer)</translation>
    </message>
    <message>
        <source>Take Photo &amp;Without the Drawing</source>
        <translation>Hacer foto &amp;sin el dibujo</translation>
    </message>
    <message>
        <source>Take Photo &amp;With the Drawing</source>
        <translation>Hacer foto &amp;con el dibujo</translation>
    </message>
    <message>
        <source>Colour of the drawing</source>
        <translation>Color del dibujo</translation>
    </message>
    <message>
        <source>Width of the lines</source>
        <translation>Grosor de los trazos</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Line Width</source>
        <translation>Grosor del trazo</translation>
    </message>
</context>
<context>
    <name>DrawingModel</name>
    <message>
        <source>Draw</source>
        <translation>Dibujar</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Clear Drawing</source>
        <translation>Borrar dibujo</translation>
    </message>
</context>
<context>
    <name>DrawingOverlay</name>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
    <message>
        <source>Text to write on the picture:</source>
        <translation>Texto para escribir en la imagen:</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Borrar</translation>
    </message>
</context>
<context>
    <name>FormAccessibility</name>
    <message>
        <source>The arrow keys change the value</source>
        <translation>Las flechas cambian el valor</translation>
    </message>
    <message>
        <source>Space opens the choices; the arrow keys pick one</source>
        <translation>Espacio abre las opciones; las flechas eligen una</translation>
    </message>
    <message>
        <source>A text field</source>
        <translation>Un campo de texto</translation>
    </message>
    <message>
        <source>Space chooses it</source>
        <translation>Espacio lo elige</translation>
    </message>
</context>
<context>
    <name>FreezeControls</name>
    <message>
        <source>&amp;Freeze Picture</source>
        <translation>&amp;Congelar imagen</translation>
    </message>
    <message>
        <source>Hold the picture still while you change the page; again to let it go (F)</source>
        <translation>Congela la imagen mientras cambia de página; otra vez para soltarla (F)</translation>
    </message>
    <message>
        <source>Un&amp;freeze Picture</source>
        <translation>Des&amp;congelar imagen</translation>
    </message>
    <message>
        <source>Frozen</source>
        <translation>Congelada</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>Congelar</translation>
    </message>
</context>
<context>
    <name>GeneralPreferencesPane</name>
    <message>
        <source>Focus once</source>
        <translation>Enfocar una vez</translation>
    </message>
    <message>
        <source>Zoom in one step</source>
        <translation>Acercar un paso</translation>
    </message>
    <message>
        <source>Exposure up one step</source>
        <translation>Subir la exposición un paso</translation>
    </message>
    <message>
        <source>Mirror horizontally</source>
        <translation>Reflejar horizontalmente</translation>
    </message>
    <message>
        <source>Freeze the picture</source>
        <translation>Congelar la imagen</translation>
    </message>
    <message>
        <source>Start or Stop Recording</source>
        <translation>Iniciar o detener la grabación</translation>
    </message>
    <message>
        <source>Restore its last settings</source>
        <translation>Restaurar su última configuración</translation>
    </message>
    <message>
        <source>Use its default settings</source>
        <translation>Usar su configuración predeterminada</translation>
    </message>
    <message>
        <source>By date</source>
        <translation>Por fecha</translation>
    </message>
    <message>
        <source>With the prefix</source>
        <translation>Con el prefijo</translation>
    </message>
    <message>
        <source>Lecture</source>
        <translation>Clase</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Elegir…</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Desactivado</translation>
    </message>
    <message>
        <source>2 seconds</source>
        <translation>2 segundos</translation>
    </message>
    <message>
        <source>4 seconds</source>
        <translation>4 segundos</translation>
    </message>
    <message>
        <source>Shutter sound for snapshots</source>
        <translation>Sonido de obturador al hacer fotos</translation>
    </message>
    <message>
        <source>Sounds while the camera focuses</source>
        <translation>Sonidos mientras la cámara enfoca</translation>
    </message>
    <message>
        <source>Photos include the drawing over the picture</source>
        <translation>Las fotos incluyen el dibujo sobre la imagen</translation>
    </message>
    <message>
        <source>Shift+Return takes a photo the other way</source>
        <translation>Mayús+Intro hace la foto al revés</translation>
    </message>
    <message>
        <source>Programmable button:</source>
        <translation>Botón programable:</translation>
    </message>
    <message>
        <source>When a camera is attached:</source>
        <translation>Al conectar una cámara:</translation>
    </message>
    <message>
        <source>Photo names:</source>
        <translation>Nombres de las fotos:</translation>
    </message>
    <message>
        <source>Photo library:</source>
        <translation>Fototeca:</translation>
    </message>
    <message>
        <source>Preview after a snapshot:</source>
        <translation>Vista previa tras una foto:</translation>
    </message>
    <message>
        <source>Sounds:</source>
        <translation>Sonidos:</translation>
    </message>
    <message>
        <source>Drawing:</source>
        <translation>Dibujo:</translation>
    </message>
    <message>
        <source>Recording:</source>
        <translation>Grabación:</translation>
    </message>
    <message>
        <source>This camera has no programmable button.</source>
        <translation>Esta cámara no tiene botón programable.</translation>
    </message>
    <message>
        <source>Brings the camera into focus once.</source>
        <translation>Enfoca la cámara una vez.</translation>
    </message>
    <message>
        <source>Zooms into the image for one level.</source>
        <translation>Acerca la imagen un nivel.</translation>
    </message>
    <message>
        <source>Increases exposure for one level.</source>
        <translation>Aumenta la exposición un nivel.</translation>
    </message>
    <message>
        <source>Flips the current view horizontally.</source>
        <translation>Refleja la imagen horizontalmente.</translation>
    </message>
    <message>
        <source>Holds the picture still while the camera keeps sending; a second press lets it go.</source>
        <translation>Congela la imagen mientras la cámara sigue enviando; una segunda pulsación la suelta.</translation>
    </message>
    <message>
        <source>Starts recording the picture as a video; a second press stops it.</source>
        <translation>Graba la imagen como vídeo; una segunda pulsación detiene la grabación.</translation>
    </message>
    <message>
        <source>Photo Library Folder</source>
        <translation>Carpeta de la fototeca</translation>
    </message>
    <message>
        <source>Choose</source>
        <translation>Elegir</translation>
    </message>
    <message>
        <source>Photo Library</source>
        <translation>Fototeca</translation>
    </message>
    <message>
        <source>Photos cannot be saved in &quot;%1&quot;.</source>
        <translation>No se pueden guardar fotos en «%1».</translation>
    </message>
    <message>
        <source>Arvo cannot write to that folder. The photo library stays in &quot;%1&quot;.</source>
        <translation>Arvo no puede escribir en esa carpeta. La fototeca sigue en «%1».</translation>
    </message>
</context>
<context>
    <name>ImageAdjustmentPane</name>
    <message>
        <source>Brightness:</source>
        <translation>Brillo:</translation>
    </message>
    <message>
        <source>Contrast:</source>
        <translation>Contraste:</translation>
    </message>
    <message>
        <source>Gamma:</source>
        <translation>Gamma:</translation>
    </message>
    <message>
        <source>Hue:</source>
        <translation>Tono:</translation>
    </message>
    <message>
        <source>Saturation:</source>
        <translation>Saturación:</translation>
    </message>
    <message>
        <source>Sharpness:</source>
        <translation>Nitidez:</translation>
    </message>
    <message>
        <source>Camera:</source>
        <translation>Cámara:</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Una vez</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Continuo</translation>
    </message>
    <message>
        <source>(set on the camera)</source>
        <translation>(ajustado en la cámara)</translation>
    </message>
    <message>
        <source>Focus:</source>
        <translation>Enfoque:</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Desactivado</translation>
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
        <translation>Ajuste la frecuencia de la red para que las lámparas no parpadeen en la imagen.</translation>
    </message>
    <message>
        <source>Power line:</source>
        <translation>Red eléctrica:</translation>
    </message>
</context>
<context>
    <name>KeyboardShortcutsWindow</name>
    <message>
        <source>Other keys</source>
        <translation>Otras teclas</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Atajos de teclado</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Acción</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Teclas</translation>
    </message>
</context>
<context>
    <name>LibraryFile</name>
    <message>
        <source>it is a folder</source>
        <translation>es una carpeta</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>%1 bytes is too large for a photo</source>
        <translation>%1 bytes es demasiado para una foto</translation>
    </message>
</context>
<context>
    <name>LibraryFolder</name>
    <message>
        <source>The photo library folder &quot;%1&quot; is missing. Photos cannot be saved until it is back (is the disk it is on plugged in?) or another folder is chosen in the preferences.</source>
        <translation>Falta la carpeta de la fototeca «%1». No se pueden guardar fotos hasta que vuelva (¿está conectado su disco?) o se elija otra carpeta en las preferencias.</translation>
    </message>
    <message>
        <source>The photo library folder &quot;%1&quot; could not be created. Photos cannot be saved until it exists.</source>
        <translation>No se pudo crear la carpeta de la fototeca «%1». No se pueden guardar fotos hasta que exista.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a file, not a folder, so photos cannot be saved there. The file was left as it is; move it away or choose another library folder.</source>
        <translation>«%1» es un archivo, no una carpeta, así que no se pueden guardar fotos allí. El archivo se ha dejado como estaba; muévalo o elija otra carpeta para la fototeca.</translation>
    </message>
</context>
<context>
    <name>LumoAboutWindowController</name>
    <message>
        <source>About Arvo</source>
        <translation>Acerca de Arvo</translation>
    </message>
    <message>
        <source>Live picture and snapshots for document cameras</source>
        <translation>Imagen en directo y fotos para cámaras de documentos</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>Camera firmware %1</source>
        <translation>Firmware de la cámara %1</translation>
    </message>
    <message>
        <source>Online Help</source>
        <translation>Ayuda en línea</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Buscar actualizaciones</translation>
    </message>
    <message>
        <source>%1 Build %2</source>
        <translation>%1 compilación %2</translation>
    </message>
</context>
<context>
    <name>LumoActionController</name>
    <message>
        <source>No picture to take yet: the camera has not shown a frame.</source>
        <translation>Aún no hay imagen que fotografiar: la cámara no ha mostrado ningún fotograma.</translation>
    </message>
    <message>
        <source>The camera stopped sending pictures, so no photo was taken.</source>
        <translation>La cámara ha dejado de enviar imágenes, así que no se ha hecho ninguna foto.</translation>
    </message>
    <message>
        <source>The camera has not switched to the chosen resolution yet, so no photo was taken. Take the photo again.</source>
        <translation>La cámara aún no ha cambiado a la resolución elegida, así que no se ha hecho ninguna foto. Vuelva a hacer la foto.</translation>
    </message>
    <message>
        <source>The camera changed, so no photo was taken.</source>
        <translation>La cámara ha cambiado, así que no se ha hecho ninguna foto.</translation>
    </message>
    <message>
        <source>The camera sent a damaged picture, so no photo was taken. Take the photo again.</source>
        <translation>La cámara ha enviado una imagen dañada, así que no se ha hecho ninguna foto. Vuelva a hacer la foto.</translation>
    </message>
</context>
<context>
    <name>LumoAlbumView</name>
    <message>
        <source>Previous Photo</source>
        <translation>Foto anterior</translation>
    </message>
    <message>
        <source>Next Photo</source>
        <translation>Foto siguiente</translation>
    </message>
    <message>
        <source>Selects the photo before the selected one</source>
        <translation>Selecciona la foto anterior</translation>
    </message>
    <message>
        <source>Selects the photo after the selected one</source>
        <translation>Selecciona la foto siguiente</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
    <message>
        <source>The photos in the library; Left, Right, Home and End move the selection</source>
        <translation>Las fotos de la fototeca; Izquierda, Derecha, Inicio y Fin mueven la selección</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>Foto</translation>
    </message>
    <message>
        <source>The selected photo; + and - zoom it</source>
        <translation>La foto seleccionada; + y - la amplían o reducen</translation>
    </message>
</context>
<context>
    <name>LumoAppController</name>
    <message>
        <source>The settings file could not be read and was kept as &quot;%1&quot;; Arvo starts with its default settings.</source>
        <translation>No se pudo leer el archivo de configuración y se guardó como «%1»; Arvo se inicia con la configuración predeterminada.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Preferencias…</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translation>&amp;Modo</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Arvo &amp;Help</source>
        <translation>A&amp;yuda de Arvo</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>Atajos de &amp;teclado</translation>
    </message>
    <message>
        <source>Every key of Arvo&apos;s window (Ctrl+/)</source>
        <translation>Todas las teclas de la ventana de Arvo (Ctrl+/)</translation>
    </message>
    <message>
        <source>&amp;About Arvo</source>
        <translation>&amp;Acerca de Arvo</translation>
    </message>
</context>
<context>
    <name>LumoAttachController</name>
    <message>
        <source>Take Photo</source>
        <translation>Hacer foto</translation>
    </message>
    <message>
        <source>Saves the current picture to the photo library</source>
        <translation>Guarda la imagen actual en la fototeca</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Enfocar</translation>
    </message>
    <message>
        <source>Has the camera focus on the page once</source>
        <translation>Hace que la cámara enfoque la página una vez</translation>
    </message>
    <message>
        <source>Leave Project Mode</source>
        <translation>Salir de la proyección</translation>
    </message>
    <message>
        <source>Returns to the window with the toolbar</source>
        <translation>Vuelve a la ventana con la barra de herramientas</translation>
    </message>
    <message>
        <source>Cancel Self-Timer</source>
        <translation>Cancelar temporizador</translation>
    </message>
    <message>
        <source>Stops the countdown before the photo is taken</source>
        <translation>Detiene la cuenta atrás antes de hacer la foto</translation>
    </message>
    <message>
        <source>Focus Mark</source>
        <translation>Indicador de enfoque</translation>
    </message>
    <message>
        <source>Shows while the camera focuses and when it is done</source>
        <translation>Aparece mientras la cámara enfoca y cuando termina</translation>
    </message>
    <message>
        <source>Focus Mode</source>
        <translation>Modo de enfoque</translation>
    </message>
    <message>
        <source>Shows whether the camera focuses once or all the time</source>
        <translation>Indica si la cámara enfoca una vez o continuamente</translation>
    </message>
    <message>
        <source>Exposure Level</source>
        <translation>Nivel de exposición</translation>
    </message>
    <message>
        <source>Shows the exposure step just chosen</source>
        <translation>Muestra el paso de exposición elegido</translation>
    </message>
</context>
<context>
    <name>LumoCameraModeControls</name>
    <message>
        <source>On</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>No</translation>
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
        <translation>Exposición</translation>
    </message>
    <message>
        <source>AE</source>
        <translation>AE</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Temporizador</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Resolución</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>No camera connected</source>
        <translation>Ninguna cámara conectada</translation>
    </message>
    <message>
        <source>%1 · %2°</source>
        <translation>%1 · %2°</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Espejo</translation>
    </message>
    <message>
        <source>Enlarges part of the live picture</source>
        <translation>Amplía una parte de la imagen en directo</translation>
    </message>
    <message>
        <source>Makes the live picture brighter or darker</source>
        <translation>Aclara u oscurece la imagen en directo</translation>
    </message>
    <message>
        <source>Lets the camera set the brightness itself, or keeps it where it is</source>
        <translation>Deja que la cámara ajuste el brillo o lo mantiene fijo</translation>
    </message>
    <message>
        <source>Waits a few seconds before a photo is taken</source>
        <translation>Espera unos segundos antes de hacer la foto</translation>
    </message>
    <message>
        <source>Chooses how many pixels the camera sends</source>
        <translation>Elige cuántos píxeles envía la cámara</translation>
    </message>
    <message>
        <source>Flips or turns the live picture</source>
        <translation>Refleja o gira la imagen en directo</translation>
    </message>
    <message>
        <source>Enlarges the photo shown</source>
        <translation>Amplía la foto mostrada</translation>
    </message>
</context>
<context>
    <name>LumoCameraUvc</name>
    <message>
        <source>Video Camera</source>
        <translation>Cámara de vídeo</translation>
    </message>
</context>
<context>
    <name>LumoImageView</name>
    <message>
        <source>“%1” cannot be shown: the file is empty, damaged or not a JPEG photo.</source>
        <translation>No se puede mostrar «%1»: el archivo está vacío, dañado o no es una foto JPEG.</translation>
    </message>
</context>
<context>
    <name>LumoMainWindowController</name>
    <message>
        <source>&amp;Take Photo</source>
        <translation>&amp;Hacer foto</translation>
    </message>
    <message>
        <source>&amp;Camera</source>
        <translation>&amp;Cámara</translation>
    </message>
    <message>
        <source>&amp;Project</source>
        <translation>&amp;Proyección</translation>
    </message>
    <message>
        <source>&amp;Review</source>
        <translation>&amp;Revisión</translation>
    </message>
    <message>
        <source>Arvo</source>
        <translation>Arvo</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Guardada: %1</translation>
    </message>
    <message>
        <source>No camera connected</source>
        <translation>Ninguna cámara conectada</translation>
    </message>
    <message>
        <source>%1
The camera is not sending pictures.</source>
        <translation>%1
La cámara no envía imágenes.</translation>
    </message>
    <message>
        <source>%1
waiting for the picture…</source>
        <translation>%1
esperando la imagen…</translation>
    </message>
    <message>
        <source>Frozen, the camera sends %1 fps</source>
        <translation>Congelada, la cámara envía %1 fps</translation>
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
        <translation>sin envío</translation>
    </message>
    <message>
        <source>Saves the current picture to the photo library</source>
        <translation>Guarda la imagen actual en la fototeca</translation>
    </message>
    <message>
        <source>Shows the live picture with the camera&apos;s controls</source>
        <translation>Muestra la imagen en directo con los controles de la cámara</translation>
    </message>
    <message>
        <source>Shows the live picture on the whole screen</source>
        <translation>Muestra la imagen en directo a pantalla completa</translation>
    </message>
    <message>
        <source>Shows the photos taken, to look at and sort</source>
        <translation>Muestra las fotos hechas, para verlas y ordenarlas</translation>
    </message>
</context>
<context>
    <name>LumoMoviePlayer</name>
    <message>
        <source>Position</source>
        <translation>Posición</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volumen</translation>
    </message>
    <message>
        <source>no movie header</source>
        <translation>sin cabecera de vídeo</translation>
    </message>
    <message>
        <source>“%1” cannot be played: the file is empty, damaged or not a movie (%2).</source>
        <translation>No se puede reproducir «%1»: el archivo está vacío, dañado o no es un vídeo (%2).</translation>
    </message>
    <message>
        <source>%1 / %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>Pause (Space)</source>
        <translation>Pausa (Espacio)</translation>
    </message>
    <message>
        <source>Play (Space)</source>
        <translation>Reproducir (Espacio)</translation>
    </message>
    <message>
        <source>Where the movie plays; drag to move through it</source>
        <translation>La posición en el vídeo; arrastre para recorrerlo</translation>
    </message>
    <message>
        <source>How loud the movie plays</source>
        <translation>El volumen del vídeo</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Stops the movie where it is</source>
        <translation>Pausa el vídeo donde está</translation>
    </message>
    <message>
        <source>Plays the movie</source>
        <translation>Reproduce el vídeo</translation>
    </message>
</context>
<context>
    <name>LumoPreferencesWindowController</name>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Image Adjustment</source>
        <translation>Ajuste de imagen</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>Photo names, the library folder, sounds and recording</source>
        <translation>Nombres de las fotos, carpeta de la fototeca, sonidos y grabación</translation>
    </message>
    <message>
        <source>The camera&apos;s picture: brightness, colour, sharpness and focus</source>
        <translation>La imagen de la cámara: brillo, color, nitidez y enfoque</translation>
    </message>
    <message>
        <source>The versions of the camera and of Arvo</source>
        <translation>Las versiones de la cámara y de Arvo</translation>
    </message>
</context>
<context>
    <name>LumoReviewController</name>
    <message>
        <source>Show in File Manager</source>
        <translation>Mostrar en el gestor de archivos</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>Mover a la papelera</translation>
    </message>
    <message>
        <source>Rotate &amp;Right</source>
        <translation>Girar a la &amp;derecha</translation>
    </message>
    <message>
        <source>Rotate &amp;Left</source>
        <translation>Girar a la &amp;izquierda</translation>
    </message>
    <message>
        <source>Previous Photo</source>
        <translation>Foto anterior</translation>
    </message>
    <message>
        <source>Next Photo</source>
        <translation>Foto siguiente</translation>
    </message>
    <message>
        <source>Play or Pause Movie</source>
        <translation>Reproducir o pausar el vídeo</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Girar</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>Girar a la derecha</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>Girar a la izquierda</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
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
        <translation>Error al eliminar</translation>
    </message>
    <message>
        <source>There is no file in your library directory!</source>
        <translation>¡No hay ningún archivo en la carpeta de la fototeca!</translation>
    </message>
    <message>
        <source>Opens the folder of the selected photo with the photo marked</source>
        <translation>Abre la carpeta de la foto seleccionada con la foto marcada</translation>
    </message>
    <message>
        <source>Moves the selected photos to the desktop&apos;s trash, after asking</source>
        <translation>Mueve las fotos seleccionadas a la papelera, tras preguntar</translation>
    </message>
    <message>
        <source>Turns the selected photos a quarter turn</source>
        <translation>Gira las fotos seleccionadas un cuarto de vuelta</translation>
    </message>
</context>
<context>
    <name>LumoScroller</name>
    <message>
        <source>Default</source>
        <translation>Predeterminado</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Exposición</translation>
    </message>
    <message>
        <source>Sets how bright the camera takes the picture; Up and Down step it</source>
        <translation>Ajusta el brillo con que la cámara toma la imagen; Arriba y Abajo lo cambian por pasos</translation>
    </message>
    <message>
        <source>Sets the exposure back to the camera&apos;s default</source>
        <translation>Restablece la exposición predeterminada de la cámara</translation>
    </message>
</context>
<context>
    <name>LumoWindow</name>
    <message>
        <source>Take a photo</source>
        <translation>Hacer una foto</translation>
    </message>
    <message>
        <source>Select all photos (review)</source>
        <translation>Seleccionar todas las fotos (revisión)</translation>
    </message>
    <message>
        <source>Copy the selected photo (review)</source>
        <translation>Copiar la foto seleccionada (revisión)</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Acercar</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Alejar</translation>
    </message>
    <message>
        <source>Delete the selected photos (review)</source>
        <translation>Eliminar las fotos seleccionadas (revisión)</translation>
    </message>
    <message>
        <source>Previous photo (review)</source>
        <translation>Foto anterior (revisión)</translation>
    </message>
    <message>
        <source>Next photo (review)</source>
        <translation>Foto siguiente (revisión)</translation>
    </message>
    <message>
        <source>Project mode</source>
        <translation>Modo proyección</translation>
    </message>
    <message>
        <source>Leave project mode, or cancel the self-timer</source>
        <translation>Salir del modo proyección o cancelar el temporizador</translation>
    </message>
</context>
<context>
    <name>PanControls</name>
    <message>
        <source>Pan &amp;Left</source>
        <translation>Desplazar a la &amp;izquierda</translation>
    </message>
    <message>
        <source>Show more of the page&apos;s left side when zoomed in (Alt+Left)</source>
        <translation>Mostrar más del lado izquierdo de la página con zoom (Alt+Izquierda)</translation>
    </message>
    <message>
        <source>Show more of the page&apos;s right side when zoomed in (Alt+Right)</source>
        <translation>Mostrar más del lado derecho de la página con zoom (Alt+Derecha)</translation>
    </message>
    <message>
        <source>Pan &amp;Up</source>
        <translation>Desplazar hacia a&amp;rriba</translation>
    </message>
    <message>
        <source>Show more of the page&apos;s top when zoomed in (Alt+Up)</source>
        <translation>Mostrar más de la parte superior de la página con zoom (Alt+Arriba)</translation>
    </message>
    <message>
        <source>Pan &amp;Down</source>
        <translation>Desplazar hacia a&amp;bajo</translation>
    </message>
    <message>
        <source>Show more of the page&apos;s bottom when zoomed in (Alt+Down)</source>
        <translation>Mostrar más de la parte inferior de la página con zoom (Alt+Abajo)</translation>
    </message>
    <message>
        <source>Pan Ri&amp;ght</source>
        <translation>Desplazar a la &amp;derecha</translation>
    </message>
</context>
<context>
    <name>PhotoRotation</name>
    <message>
        <source>The file is not a readable JPEG photo.</source>
        <translation>El archivo no es una foto JPEG legible.</translation>
    </message>
    <message>
        <source>The photo is too large to be turned.</source>
        <translation>La foto es demasiado grande para girarla.</translation>
    </message>
    <message>
        <source>The photo is damaged and cannot be turned.</source>
        <translation>La foto está dañada y no se puede girar.</translation>
    </message>
    <message>
        <source>The turned photo could not be encoded.</source>
        <translation>No se pudo codificar la foto girada.</translation>
    </message>
    <message>
        <source>The photo&apos;s metadata could not be kept.</source>
        <translation>No se pudieron conservar los metadatos de la foto.</translation>
    </message>
    <message>
        <source>A photo can only be turned by quarter turns.</source>
        <translation>Una foto solo se puede girar en cuartos de vuelta.</translation>
    </message>
    <message>
        <source>The photo cannot be read: %1</source>
        <translation>No se puede leer la foto: %1</translation>
    </message>
    <message>
        <source>The turned photo cannot be written: %1</source>
        <translation>No se puede escribir la foto girada: %1</translation>
    </message>
</context>
<context>
    <name>PhotoSeries</name>
    <message>
        <source>No camera is connected, so no series was started.</source>
        <translation>No hay ninguna cámara conectada, así que no se ha iniciado ninguna serie.</translation>
    </message>
    <message>
        <source>next in %1:%2</source>
        <translation>siguiente en %1:%2</translation>
    </message>
    <message>
        <source>next in %1 s</source>
        <translation>siguiente en %1 s</translation>
    </message>
    <message>
        <source>Series: %1 of %2, %3</source>
        <translation>Serie: %1 de %2, %3</translation>
    </message>
    <message>
        <source>Series: %1 taken, %2</source>
        <translation>Serie: %1 hechas, %2</translation>
    </message>
    <message>
        <source>Series complete: %1 taken.</source>
        <translation>Serie terminada: %1.</translation>
    </message>
    <message>
        <source>Series stopped after %1.</source>
        <translation>Serie detenida tras %1.</translation>
    </message>
    <message>
        <source>The camera was unplugged, so the series ended after %1.</source>
        <translation>La cámara se ha desconectado, así que la serie terminó tras %1.</translation>
    </message>
    <message>
        <source>The camera changed, so the series ended after %1.</source>
        <translation>La cámara ha cambiado, así que la serie terminó tras %1.</translation>
    </message>
    <message>
        <source>Arvo is quitting, so the series ended after %1.</source>
        <translation>Arvo se está cerrando, así que la serie terminó tras %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n photo(s)</source>
        <translation>
            <numerusform>%n foto</numerusform>
            <numerusform>%n fotos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PhotoTrash</name>
    <message>
        <source>The photo %1 is no longer there.</source>
        <translation>La foto %1 ya no existe.</translation>
    </message>
    <message>
        <source>The disk that holds the photo library has no trash, so the photo was not moved. Delete it in the file manager, or keep the library in your home folder.</source>
        <translation>El disco de la fototeca no tiene papelera, así que la foto no se ha movido. Elimínela en el gestor de archivos o guarde la fototeca en su carpeta personal.</translation>
    </message>
    <message>
        <source>The trash folder %1 cannot be used.</source>
        <translation>No se puede usar la carpeta de papelera %1.</translation>
    </message>
    <message>
        <source>The trash folder %1 cannot be written.</source>
        <translation>No se puede escribir en la carpeta de papelera %1.</translation>
    </message>
    <message>
        <source>The photo could not be moved to the trash: %1</source>
        <translation>No se pudo mover la foto a la papelera: %1</translation>
    </message>
</context>
<context>
    <name>PhotoWriter</name>
    <message>
        <source>There is no picture to save yet. Wait until the camera shows a picture, then take the photo again.</source>
        <translation>Aún no hay imagen que guardar. Espere a que la cámara muestre una imagen y vuelva a hacer la foto.</translation>
    </message>
    <message>
        <source>No photo library folder is chosen. Choose one in the preferences.</source>
        <translation>No se ha elegido ninguna carpeta para la fototeca. Elija una en las preferencias.</translation>
    </message>
    <message>
        <source>The photo library folder &quot;%1&quot; does not exist, so the photo was not saved. Create it or choose another folder in the preferences.</source>
        <translation>La carpeta de la fototeca «%1» no existe, así que la foto no se ha guardado. Créela o elija otra carpeta en las preferencias.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a file, not a folder, so the photo was not saved. Choose another library folder in the preferences.</source>
        <translation>«%1» es un archivo, no una carpeta, así que la foto no se ha guardado. Elija otra carpeta para la fototeca en las preferencias.</translation>
    </message>
    <message>
        <source>The picture could not be turned into a photo (%1).</source>
        <translation>No se pudo convertir la imagen en una foto (%1).</translation>
    </message>
    <message>
        <source>The photo could not be written to &quot;%1&quot;: %2</source>
        <translation>No se pudo escribir la foto en «%1»: %2</translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>Default microphone</source>
        <translation>Micrófono predeterminado</translation>
    </message>
    <message>
        <source>There is no picture to record yet. Wait until the camera shows a picture, then start the recording again.</source>
        <translation>Aún no hay imagen que grabar. Espere a que la cámara muestre una imagen y vuelva a iniciar la grabación.</translation>
    </message>
    <message>
        <source>The photo library folder &quot;%1&quot; cannot be written to, so nothing is recorded. Choose another folder in the preferences.</source>
        <translation>No se puede escribir en la carpeta de la fototeca «%1», así que no se graba nada. Elija otra carpeta en las preferencias.</translation>
    </message>
    <message>
        <source>Recording needs GStreamer&apos;s %1, which is not installed.</source>
        <translation>La grabación necesita %1 de GStreamer, que no está instalado.</translation>
    </message>
    <message>
        <source>The recording could not be started: %1</source>
        <translation>No se pudo iniciar la grabación: %1</translation>
    </message>
    <message>
        <source>The recording broke off before anything was written: %1</source>
        <translation>La grabación se interrumpió antes de escribir nada: %1</translation>
    </message>
    <message>
        <source>The camera was unplugged; the recording was saved: %1</source>
        <translation>La cámara se ha desconectado; la grabación se ha guardado: %1</translation>
    </message>
    <message>
        <source>The camera changed; the recording was saved: %1</source>
        <translation>La cámara ha cambiado; la grabación se ha guardado: %1</translation>
    </message>
    <message>
        <source>The disk is full; the recording was saved up to there: %1</source>
        <translation>El disco está lleno; la grabación se ha guardado hasta ese punto: %1</translation>
    </message>
    <message>
        <source>The recording could not be written further; what was recorded was saved: %1</source>
        <translation>No se pudo seguir escribiendo la grabación; lo grabado se ha guardado: %1</translation>
    </message>
    <message>
        <source>Recording saved: %1</source>
        <translation>Grabación guardada: %1</translation>
    </message>
</context>
<context>
    <name>RecordingControls</name>
    <message>
        <source>Recording without sound: no microphone</source>
        <translation>Grabación sin sonido: no hay micrófono</translation>
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
        <translation>Grabando %1 · %2</translation>
    </message>
    <message>
        <source>Stop &amp;Recording</source>
        <translation>Detener &amp;grabación</translation>
    </message>
    <message>
        <source>Start &amp;Recording</source>
        <translation>Iniciar &amp;grabación</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Grabar</translation>
    </message>
    <message>
        <source>Stop the recording (R)</source>
        <translation>Detener la grabación (R)</translation>
    </message>
    <message>
        <source>Record the picture as a video (R)</source>
        <translation>Grabar la imagen como vídeo (R)</translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Detener grabación</translation>
    </message>
    <message>
        <source>Start Recording</source>
        <translation>Iniciar grabación</translation>
    </message>
</context>
<context>
    <name>RecordingPreferences</name>
    <message>
        <source>Record sound</source>
        <translation>Grabar sonido</translation>
    </message>
    <message>
        <source>The microphone a recording takes its sound from</source>
        <translation>El micrófono del que la grabación toma el sonido</translation>
    </message>
    <message>
        <source>Video quality:</source>
        <translation>Calidad de vídeo:</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Baja</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Estándar</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Alta</translation>
    </message>
    <message>
        <source>Default microphone</source>
        <translation>Micrófono predeterminado</translation>
    </message>
    <message>
        <source>%1 (not connected)</source>
        <translation>%1 (no conectado)</translation>
    </message>
</context>
<context>
    <name>ReviewTexts</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>%n seleccionada</numerusform>
            <numerusform>%n seleccionadas</numerusform>
        </translation>
    </message>
    <message>
        <source>No photos yet</source>
        <translation>Aún no hay fotos</translation>
    </message>
    <message>
        <source>Switch to Camera mode (%1), then press the camera&apos;s snapshot button or choose File ▸ Take Photo (%2).</source>
        <translation>Cambie al modo Cámara (%1) y pulse el botón de foto de la cámara o elija Archivo ▸ Hacer foto (%2).</translation>
    </message>
    <message>
        <source>Move “%1” to the trash?</source>
        <translation>¿Mover «%1» a la papelera?</translation>
    </message>
    <message numerus="yes">
        <source>Move %n photos to the trash?</source>
        <translation>
            <numerusform>¿Mover %n foto a la papelera?</numerusform>
            <numerusform>¿Mover %n fotos a la papelera?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move %n recordings to the trash?</source>
        <translation>
            <numerusform>¿Mover %n grabación a la papelera?</numerusform>
            <numerusform>¿Mover %n grabaciones a la papelera?</numerusform>
        </translation>
    </message>
    <message>
        <source>1 photo</source>
        <translation>1 foto</translation>
    </message>
    <message numerus="yes">
        <source>%n photos</source>
        <translation>
            <numerusform>%n foto</numerusform>
            <numerusform>%n fotos</numerusform>
        </translation>
    </message>
    <message>
        <source>1 recording</source>
        <translation>1 grabación</translation>
    </message>
    <message numerus="yes">
        <source>%n recordings</source>
        <translation>
            <numerusform>%n grabación</numerusform>
            <numerusform>%n grabaciones</numerusform>
        </translation>
    </message>
    <message>
        <source>Move %1 and %2 to the trash?</source>
        <translation>¿Mover %1 y %2 a la papelera?</translation>
    </message>
    <message>
        <source>It can be put back from the trash.</source>
        <translation>Se puede recuperar de la papelera.</translation>
    </message>
    <message>
        <source>They can be put back from the trash.</source>
        <translation>Se pueden recuperar de la papelera.</translation>
    </message>
</context>
<context>
    <name>RotationControls</name>
    <message>
        <source>Upright</source>
        <translation>Sin girar</translation>
    </message>
    <message>
        <source>Turned %1°</source>
        <translation>Girada %1°</translation>
    </message>
    <message>
        <source>&amp;Rotate Picture</source>
        <translation>&amp;Girar imagen</translation>
    </message>
    <message>
        <source>Turn the picture a quarter clockwise, for a camera facing you or a page lying sideways (Ctrl+Shift+R)</source>
        <translation>Girar la imagen un cuarto de vuelta en sentido horario, para una cámara que le mira o una página de lado (Ctrl+Mayús+R)</translation>
    </message>
</context>
<context>
    <name>SeriesControls</name>
    <message>
        <source>Photos at &amp;Intervals…</source>
        <translation>Fotos a &amp;intervalos…</translation>
    </message>
    <message>
        <source>Take a photo every few seconds or minutes (Ctrl+I)</source>
        <translation>Hacer una foto cada pocos segundos o minutos (Ctrl+I)</translation>
    </message>
    <message>
        <source>&amp;Stop Series</source>
        <translation>&amp;Detener serie</translation>
    </message>
    <message>
        <source>Stop taking photos at intervals (Ctrl+Shift+I)</source>
        <translation>Dejar de hacer fotos a intervalos (Ctrl+Mayús+I)</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Intervalos</translation>
    </message>
    <message>
        <source>Take photos at intervals (Ctrl+I); click again to stop (Ctrl+Shift+I)</source>
        <translation>Hacer fotos a intervalos (Ctrl+I); vuelva a hacer clic para detener (Ctrl+Mayús+I)</translation>
    </message>
</context>
<context>
    <name>SeriesDialog</name>
    <message>
        <source>Photos at Intervals</source>
        <translation>Fotos a intervalos</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>From 2 seconds to 10 minutes (600 s)</source>
        <translation>De 2 segundos a 10 minutos (600 s)</translation>
    </message>
    <message>
        <source>Until stopped</source>
        <translation>Hasta detenerla</translation>
    </message>
    <message>
        <source>Take a photo every:</source>
        <translation>Una foto cada:</translation>
    </message>
    <message>
        <source>Number of photos:</source>
        <translation>Número de fotos:</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
</context>
<context>
    <name>SystemPreferencesPane</name>
    <message>
        <source>Camera firmware:</source>
        <translation>Firmware de la cámara:</translation>
    </message>
    <message>
        <source>Arvo:</source>
        <translation>Arvo:</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Buscar actualizaciones</translation>
    </message>
    <message>
        <source>Opens the page with the newest version of Arvo</source>
        <translation>Abre la página con la versión más reciente de Arvo</translation>
    </message>
</context>
<context>
    <name>ToolbarFocus</name>
    <message>
        <source>More Controls</source>
        <translation>Más controles</translation>
    </message>
    <message>
        <source>Shows the controls the window is too narrow for</source>
        <translation>Muestra los controles que no caben en la ventana</translation>
    </message>
</context>
<context>
    <name>V4l2CaptureDevice</name>
    <message>
        <source>%1

System message: %2 (%3)</source>
        <translation>%1

Mensaje del sistema: %2 (%3)</translation>
    </message>
    <message>
        <source>The camera&apos;s video could not be opened.</source>
        <translation>No se pudo abrir el vídeo de la cámara.</translation>
    </message>
    <message>
        <source>Check that no other program uses the camera, then unplug it and plug it in again.</source>
        <translation>Compruebe que ningún otro programa usa la cámara; después desconéctela y vuelva a conectarla.</translation>
    </message>
    <message>
        <source>The camera&apos;s video is not open.</source>
        <translation>El vídeo de la cámara no está abierto.</translation>
    </message>
    <message>
        <source>Unplug the camera and plug it in again.</source>
        <translation>Desconecte la cámara y vuelva a conectarla.</translation>
    </message>
    <message>
        <source>The camera&apos;s video could not be started.</source>
        <translation>No se pudo iniciar el vídeo de la cámara.</translation>
    </message>
    <message>
        <source>The camera offers no picture format that can be shown.</source>
        <translation>La cámara no ofrece ningún formato de imagen que se pueda mostrar.</translation>
    </message>
    <message>
        <source>The camera was disconnected.</source>
        <translation>La cámara se ha desconectado.</translation>
    </message>
    <message>
        <source>Plug the camera in again.</source>
        <translation>Vuelva a conectar la cámara.</translation>
    </message>
    <message>
        <source>The camera stopped sending pictures.</source>
        <translation>La cámara ha dejado de enviar imágenes.</translation>
    </message>
</context>
<context>
    <name>VirtualCaptureDevice</name>
    <message>
        <source>The camera was disconnected.</source>
        <translation>La cámara se ha desconectado.</translation>
    </message>
    <message>
        <source>Plug the camera in again.</source>
        <translation>Vuelva a conectar la cámara.</translation>
    </message>
    <message>
        <source>The camera&apos;s video could not be opened.</source>
        <translation>No se pudo abrir el vídeo de la cámara.</translation>
    </message>
    <message>
        <source>Check that no other program uses the camera, then unplug it and plug it in again.</source>
        <translation>Compruebe que ningún otro programa usa la cámara; después desconéctela y vuelva a conectarla.</translation>
    </message>
    <message>
        <source>The camera&apos;s video is not open.</source>
        <translation>El vídeo de la cámara no está abierto.</translation>
    </message>
    <message>
        <source>Unplug the camera and plug it in again.</source>
        <translation>Desconecte la cámara y vuelva a conectarla.</translation>
    </message>
</context>
</TS>
