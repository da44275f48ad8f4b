<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_CA">
<context>
    <name>Definitions</name>
    <message>
        <source>Failed to load configuration file %1!</source>
        <translation>Le fichier de configuration %1 n’a pas pu être chargé.</translation>
    </message>
</context>
<context>
    <name>FavoritesController</name>
    <message>
        <source>Maximum favorites count exceeded.</source>
        <translation>Le nombre maximal de favoris est atteint.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
</context>
<context>
    <name>Http</name>
    <message>
        <source>the answer is larger than %1 MiB</source>
        <translation>la réponse dépasse %1&#xa0;Mio</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un nom d’hôte</translation>
    </message>
    <message>
        <source>the HTTP library could not start</source>
        <translation>la bibliothèque HTTP n’a pas pu démarrer</translation>
    </message>
    <message>
        <source>the server answered HTTP %1</source>
        <translation>le serveur a répondu HTTP %1</translation>
    </message>
    <message>
        <source>the definitions offer no request for this service</source>
        <translation>les définitions n’offrent aucune requête pour ce service</translation>
    </message>
</context>
<context>
    <name>Import</name>
    <message>
        <source>marker %1 has no latitude or no longitude</source>
        <translation>le repère %1 n’a pas de latitude ou pas de longitude</translation>
    </message>
    <message>
        <source>marker %1</source>
        <translation>le repère %1</translation>
    </message>
    <message>
        <source>not a marker set, GPX or KML file: %1</source>
        <translation>ni un jeu de repères, ni un fichier GPX ou KML&#xa0;: %1</translation>
    </message>
    <message>
        <source>not a marker set, GPX, KML, KMZ or GeoJSON file: its root element is &quot;%1&quot;</source>
        <translation>ni un jeu de repères, ni un fichier GPX, KML, KMZ ou GeoJSON&#xa0;: son élément racine est «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>nothing in the file can be a marker: %1</source>
        <translation>rien dans le fichier ne peut devenir un repère&#xa0;: %1</translation>
    </message>
    <message>
        <source>the markers would be more than %1, which a marker set holds at most</source>
        <translation>il y aurait plus de %1 repères, le maximum que peut contenir un jeu de repères</translation>
    </message>
    <message>
        <source>not GeoJSON: a member that should be an object is not one</source>
        <translation>pas du GeoJSON&#xa0;: un membre qui devrait être un objet n’en est pas un</translation>
    </message>
    <message>
        <source>not GeoJSON: a FeatureCollection without &quot;features&quot;</source>
        <translation>pas du GeoJSON&#xa0;: une FeatureCollection sans «&#xa0;features&#xa0;»</translation>
    </message>
    <message numerus="yes">
        <source>%n feature without geometry not imported</source>
        <translation>
            <numerusform>%n entité sans géométrie non importée</numerusform>
            <numerusform>%n entités sans géométrie non importées</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n features without geometry not imported</source>
        <translation>
            <numerusform>%n entité sans géométrie non importée</numerusform>
            <numerusform>%n entités sans géométrie non importées</numerusform>
        </translation>
    </message>
    <message>
        <source>not GeoJSON: a geometry that is not an object</source>
        <translation>pas du GeoJSON&#xa0;: une géométrie qui n’est pas un objet</translation>
    </message>
    <message numerus="yes">
        <source>%n line not imported</source>
        <translation>
            <numerusform>%n ligne non importée</numerusform>
            <numerusform>%n lignes non importées</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n lines not imported</source>
        <translation>
            <numerusform>%n ligne non importée</numerusform>
            <numerusform>%n lignes non importées</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n polygon not imported</source>
        <translation>
            <numerusform>%n polygone non importé</numerusform>
            <numerusform>%n polygones non importés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n polygons not imported</source>
        <translation>
            <numerusform>%n polygone non importé</numerusform>
            <numerusform>%n polygones non importés</numerusform>
        </translation>
    </message>
    <message>
        <source>not GeoJSON: an object of type &quot;%1&quot;</source>
        <translation>pas du GeoJSON&#xa0;: un objet de type «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>point %1</source>
        <translation>le point %1</translation>
    </message>
    <message>
        <source>%1 has no longitude and latitude as numbers</source>
        <translation>%1 n’a pas de longitude et de latitude en nombres</translation>
    </message>
    <message>
        <source>%1 has longitude %2, not a number from -180 to 180</source>
        <translation>%1 a la longitude %2, qui n’est pas un nombre de -180 à 180</translation>
    </message>
    <message>
        <source>%1 has latitude %2, not a number from -90 to 90</source>
        <translation>%1 a la latitude %2, qui n’est pas un nombre de -90 à 90</translation>
    </message>
    <message numerus="yes">
        <source>%n point</source>
        <translation>
            <numerusform>%n point</numerusform>
            <numerusform>%n points</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n points</source>
        <translation>
            <numerusform>%n point</numerusform>
            <numerusform>%n points</numerusform>
        </translation>
    </message>
    <message>
        <source>not GeoJSON: a &quot;type&quot; that is not a text</source>
        <translation>pas du GeoJSON&#xa0;: un «&#xa0;type&#xa0;» qui n’est pas un texte</translation>
    </message>
    <message>
        <source>waypoint %1</source>
        <translation>le point de cheminement %1</translation>
    </message>
    <message>
        <source>track %1, point </source>
        <translation>le tracé %1, point </translation>
    </message>
    <message>
        <source>route %1, point </source>
        <translation>l’itinéraire %1, point </translation>
    </message>
    <message numerus="yes">
        <source>%n waypoint</source>
        <translation>
            <numerusform>%n point de cheminement</numerusform>
            <numerusform>%n points de cheminement</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n waypoints</source>
        <translation>
            <numerusform>%n point de cheminement</numerusform>
            <numerusform>%n points de cheminement</numerusform>
        </translation>
    </message>
    <message>
        <source>Track %1</source>
        <translation>Tracé %1</translation>
    </message>
    <message>
        <source>Route %1</source>
        <translation>Itinéraire %1</translation>
    </message>
    <message>
        <source>(start)</source>
        <translation>(départ)</translation>
    </message>
    <message>
        <source>(end)</source>
        <translation>(arrivée)</translation>
    </message>
    <message numerus="yes">
        <source>%n route point</source>
        <translation>
            <numerusform>%n point d’itinéraire</numerusform>
            <numerusform>%n points d’itinéraire</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n route points</source>
        <translation>
            <numerusform>%n point d’itinéraire</numerusform>
            <numerusform>%n points d’itinéraire</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n track point</source>
        <translation>
            <numerusform>%n point de tracé</numerusform>
            <numerusform>%n points de tracé</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n track points</source>
        <translation>
            <numerusform>%n point de tracé</numerusform>
            <numerusform>%n points de tracé</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n route not imported</source>
        <translation>
            <numerusform>%n itinéraire non importé</numerusform>
            <numerusform>%n itinéraires non importés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n routes not imported</source>
        <translation>
            <numerusform>%n itinéraire non importé</numerusform>
            <numerusform>%n itinéraires non importés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n track not imported</source>
        <translation>
            <numerusform>%n tracé non importé</numerusform>
            <numerusform>%n tracés non importés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n tracks not imported</source>
        <translation>
            <numerusform>%n tracé non importé</numerusform>
            <numerusform>%n tracés non importés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n property left out for want of room</source>
        <translation>
            <numerusform>%n propriété laissée de côté faute de place</numerusform>
            <numerusform>%n propriétés laissées de côté faute de place</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n properties left out for want of room</source>
        <translation>
            <numerusform>%n propriété laissée de côté faute de place</numerusform>
            <numerusform>%n propriétés laissées de côté faute de place</numerusform>
        </translation>
    </message>
    <message>
        <source>nothing to import</source>
        <translation>rien à importer</translation>
    </message>
    <message>
        <source>more than %1 markers; a marker set holds at most that many</source>
        <translation>plus de %1 repères; un jeu de repères n’en contient pas davantage</translation>
    </message>
    <message>
        <source>%1 has latitude &quot;%2&quot;, not a number from -90 to 90</source>
        <translation>%1 a la latitude «&#xa0;%2&#xa0;», qui n’est pas un nombre de -90 à 90</translation>
    </message>
    <message>
        <source>%1 has longitude &quot;%2&quot;, not a number from -180 to 180</source>
        <translation>%1 a la longitude «&#xa0;%2&#xa0;», qui n’est pas un nombre de -180 à 180</translation>
    </message>
    <message numerus="yes">
        <source>%n marker</source>
        <translation>
            <numerusform>%n repère</numerusform>
            <numerusform>%n repères</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n markers</source>
        <translation>
            <numerusform>%n repère</numerusform>
            <numerusform>%n repères</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n ring not imported</source>
        <translation>
            <numerusform>%n anneau non importé</numerusform>
            <numerusform>%n anneaux non importés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n rings not imported</source>
        <translation>
            <numerusform>%n anneau non importé</numerusform>
            <numerusform>%n anneaux non importés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 3D model not imported</source>
        <translation>
            <numerusform>%n modèle 3D non importé</numerusform>
            <numerusform>%n modèles 3D non importés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 3D models not imported</source>
        <translation>
            <numerusform>%n modèle 3D non importé</numerusform>
            <numerusform>%n modèles 3D non importés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n overlay not imported</source>
        <translation>
            <numerusform>%n superposition non importée</numerusform>
            <numerusform>%n superpositions non importées</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n overlays not imported</source>
        <translation>
            <numerusform>%n superposition non importée</numerusform>
            <numerusform>%n superpositions non importées</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n network link not imported</source>
        <translation>
            <numerusform>%n lien réseau non importé</numerusform>
            <numerusform>%n liens réseau non importés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n network links not imported</source>
        <translation>
            <numerusform>%n lien réseau non importé</numerusform>
            <numerusform>%n liens réseau non importés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n placemark without a point not imported</source>
        <translation>
            <numerusform>%n repère KML sans point non importé</numerusform>
            <numerusform>%n repères KML sans point non importés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n placemarks without a point not imported</source>
        <translation>
            <numerusform>%n repère KML sans point non importé</numerusform>
            <numerusform>%n repères KML sans point non importés</numerusform>
        </translation>
    </message>
    <message>
        <source>placemark %1</source>
        <translation>le repère KML %1</translation>
    </message>
    <message numerus="yes">
        <source>%n placemark</source>
        <translation>
            <numerusform>%n repère KML</numerusform>
            <numerusform>%n repères KML</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n placemarks</source>
        <translation>
            <numerusform>%n repère KML</numerusform>
            <numerusform>%n repères KML</numerusform>
        </translation>
    </message>
    <message>
        <source>the KMZ archive holds more than %1 files</source>
        <translation>l’archive KMZ contient plus de %1 fichiers</translation>
    </message>
    <message>
        <source>the KMZ archive holds no KML document</source>
        <translation>l’archive KMZ ne contient aucun document KML</translation>
    </message>
    <message>
        <source>not a KMZ archive: %1</source>
        <translation>pas une archive KMZ&#xa0;: %1</translation>
    </message>
    <message>
        <source>the KML in the KMZ archive cannot be read: %1</source>
        <translation>le KML de l’archive KMZ ne peut pas être lu&#xa0;: %1</translation>
    </message>
    <message>
        <source>the KML in the KMZ archive unpacks to more than %1 MB</source>
        <translation>le KML de l’archive KMZ dépasse %1&#xa0;Mo une fois décompressé</translation>
    </message>
    <message>
        <source>the KMZ archive is damaged: %1</source>
        <translation>l’archive KMZ est endommagée&#xa0;: %1</translation>
    </message>
    <message>
        <source>the KMZ archive could not be made</source>
        <translation>l’archive KMZ n’a pas pu être créée</translation>
    </message>
</context>
<context>
    <name>Job</name>
    <message>
        <source>The place could not be looked up (%1).</source>
        <translation>Le lieu n’a pas pu être recherché (%1).</translation>
    </message>
    <message>
        <source>Phone: (%1)%2-%3</source>
        <translation>Téléphone&#xa0;: (%1)%2-%3</translation>
    </message>
    <message>
        <source>Zip code(postal code): %1</source>
        <translation>Code ZIP (code postal)&#xa0;: %1</translation>
    </message>
    <message>
        <source>Address: %1 %2, %3, %4, %5</source>
        <translation>Adresse&#xa0;: %1 %2, %3, %4, %5</translation>
    </message>
    <message>
        <source>Latitute/Longitute: %1/%2</source>
        <translation>Latitude/longitude&#xa0;: %1/%2</translation>
    </message>
</context>
<context>
    <name>LocalSearch</name>
    <message>
        <source> No current search</source>
        <translation> Aucune recherche en cours</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 à %2</translation>
    </message>
    <message>
        <source>%1 to %2 of %3</source>
        <translation>%1 à %2 sur %3</translation>
    </message>
    <message>
        <source> (new area)</source>
        <translation> (nouvelle zone)</translation>
    </message>
    <message>
        <source>Type search keyword(s) here, such as &quot;Pizza Hut&quot;, &quot;Home Depot&quot;, bank, &quot;public school&quot;, daycare...</source>
        <translation>Tapez ici le ou les mots à chercher, comme «&#xa0;Pizza Hut&#xa0;», «&#xa0;Home Depot&#xa0;», banque, «&#xa0;école publique&#xa0;», garderie…</translation>
    </message>
    <message>
        <source>The local search service did not answer (%1).</source>
        <translation>Le service de recherche locale n’a pas répondu (%1).</translation>
    </message>
    <message>
        <source>The local search service sent an empty answer.</source>
        <translation>Le service de recherche locale a envoyé une réponse vide.</translation>
    </message>
</context>
<context>
    <name>LocalSearchController</name>
    <message>
        <source>Please type in the keyword(s) you want to
search in current area on the map.</source>
        <translation>Tapez le ou les mots que vous voulez
chercher dans la zone affichée sur la carte.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>LocateRemark</name>
    <message>
        <source>No telephone number given</source>
        <translation>Aucun numéro de téléphone</translation>
    </message>
    <message numerus="yes">
        <source>The area code has %n digit(s); it needs 3</source>
        <translation>
            <numerusform>L’indicatif régional a %n chiffre; il en faut 3</numerusform>
            <numerusform>L’indicatif régional a %n chiffres; il en faut 3</numerusform>
        </translation>
    </message>
    <message>
        <source>No area code begins with %1 (%2)</source>
        <translation>Aucun indicatif régional ne commence par %1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>The exchange has %n digit(s); it needs 3</source>
        <translation>
            <numerusform>L’indicatif de central a %n chiffre; il en faut 3</numerusform>
            <numerusform>L’indicatif de central a %n chiffres; il en faut 3</numerusform>
        </translation>
    </message>
    <message>
        <source>No exchange begins with %1 (%2)</source>
        <translation>Aucun indicatif de central ne commence par %1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>The line number has %n digit(s); it needs 4</source>
        <translation>
            <numerusform>Le numéro de ligne a %n chiffre; il en faut 4</numerusform>
            <numerusform>Le numéro de ligne a %n chiffres; il en faut 4</numerusform>
        </translation>
    </message>
    <message>
        <source>No zip or postal code given</source>
        <translation>Aucun code ZIP ou code postal</translation>
    </message>
    <message>
        <source>A zip code has 5 digits; %1 has %2</source>
        <translation>Un code ZIP a 5 chiffres; %1 en a %2</translation>
    </message>
    <message>
        <source>%1 is neither a zip code (5 digits) nor a postal code (A1A 1A1)</source>
        <translation>%1 n’est ni un code ZIP (5 chiffres) ni un code postal (A1A&#xa0;1A1)</translation>
    </message>
    <message>
        <source>No city or state given</source>
        <translation>Aucune ville ni aucun État ou province</translation>
    </message>
    <message>
        <source>No street given: the map will show the city</source>
        <translation>Aucune rue&#xa0;: la carte montrera la ville</translation>
    </message>
    <message>
        <source>No latitude given</source>
        <translation>Aucune latitude</translation>
    </message>
    <message>
        <source>Latitude %1 is not a number</source>
        <translation>La latitude %1 n’est pas un nombre</translation>
    </message>
    <message>
        <source>Latitude %1 is out of range (-90 to 90)</source>
        <translation>La latitude %1 est hors limites (-90 à 90)</translation>
    </message>
    <message>
        <source>No longitude given</source>
        <translation>Aucune longitude</translation>
    </message>
    <message>
        <source>Longitude %1 is not a number</source>
        <translation>La longitude %1 n’est pas un nombre</translation>
    </message>
    <message>
        <source>Longitude %1 is out of range (-180 to 180)</source>
        <translation>La longitude %1 est hors limites (-180 à 180)</translation>
    </message>
</context>
<context>
    <name>MapServer</name>
    <message>
        <source> Orbisk sends it nothing, since it would see your searches and markers. Start your own with &quot;systemctl --user start orbisk-server&quot; or &quot;orbisk-server&quot;; it takes a free port while this one is taken.</source>
        <translation> Orbisk ne lui envoie rien, car il verrait vos recherches et vos repères. Démarrez le vôtre avec «&#xa0;systemctl --user start orbisk-server&#xa0;» ou «&#xa0;orbisk-server&#xa0;»; il prend un port libre tant que celui-ci est occupé.</translation>
    </message>
    <message>
        <source>The map server at %1 cannot be told to be yours.</source>
        <translation>Rien ne permet d’établir que le serveur de cartes à %1 est le vôtre.</translation>
    </message>
    <message>
        <source>The map server at %1 belongs to another user, %2.</source>
        <translation>Le serveur de cartes à %1 appartient à un autre utilisateur, %2.</translation>
    </message>
</context>
<context>
    <name>MarkerExchangeController</name>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Failed to import markers from %1:
%2</source>
        <translation>Les repères n’ont pas pu être importés de %1&#xa0;:
%2</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Imported from %1: %2.</source>
        <translation>Importé de %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Import Markers</source>
        <translation>Importer des repères</translation>
    </message>
    <message>
        <source>Markers</source>
        <translation>Repères</translation>
    </message>
    <message>
        <source>Failed to export markers: name the file with .gpx, .kml, .kmz or .geojson at the end.</source>
        <translation>Les repères n’ont pas pu être exportés&#xa0;: le nom du fichier doit finir par .gpx, .kml, .kmz ou .geojson.</translation>
    </message>
    <message>
        <source>Failed to export markers to %1:
%2</source>
        <translation>Les repères n’ont pas pu être exportés vers %1&#xa0;:
%2</translation>
    </message>
</context>
<context>
    <name>MarkerSet</name>
    <message>
        <source>You have unsaved marker(s) in your current marker set.
You can save them before you load new marker set.

Do you want to load new marker set now and ignore the unsaved marker(s)?</source>
        <translation>Votre jeu de repères actuel contient des repères non enregistrés.
Vous pouvez les enregistrer avant d’ouvrir un nouveau jeu de repères.

Voulez-vous ouvrir le nouveau jeu de repères maintenant et abandonner les repères non enregistrés?</translation>
    </message>
    <message>
        <source>currently out of your screen.
You can edit your marker set or change your screen zoom level before you save.

Do you want save now?</source>
        <translation>hors de l’écran actuellement.
Vous pouvez modifier votre jeu de repères ou changer le niveau de zoom avant d’enregistrer.

Voulez-vous enregistrer maintenant?</translation>
    </message>
    <message>
        <source>In current marker set, there is 1 marker in total. It is </source>
        <translation>Le jeu de repères actuel contient 1 repère en tout. Il est </translation>
    </message>
    <message>
        <source>In current marker set, there are %1 markers in total. %2 of them is </source>
        <translation>Le jeu de repères actuel contient %1 repères en tout. %2 d’entre eux est </translation>
    </message>
    <message>
        <source>In current marker set, there are %1 markers in total. %2 of them are </source>
        <translation>Le jeu de repères actuel contient %1 repères en tout. %2 d’entre eux sont </translation>
    </message>
    <message>
        <source>Current marker set information has been saved to
%1

</source>
        <translation>Le jeu de repères actuel a été enregistré dans
%1

</translation>
    </message>
    <message>
        <source>You default mail application will be launched for you to send marker sets.  

For some of the email applications, you may have to manually attach the  
above file or other saved marker set files to your email message.</source>
        <translation>Votre logiciel de courriel par défaut va s’ouvrir pour que vous envoyiez vos jeux de repères.

Avec certains logiciels de courriel, vous devrez joindre vous-même
le fichier ci-dessus, ou d’autres jeux de repères enregistrés, à votre message.</translation>
    </message>
    <message>
        <source>no marker set: it needs DataSet &gt; MarkerSet with CenterLat and CenterLng</source>
        <translation>pas un jeu de repères&#xa0;: il faut DataSet &gt; MarkerSet avec CenterLat et CenterLng</translation>
    </message>
    <message>
        <source>more than %1 markers; a marker set holds at most that many</source>
        <translation>plus de %1 repères; un jeu de repères n’en contient pas davantage</translation>
    </message>
    <message>
        <source>%1 has latitude &quot;%2&quot;, not a number from -90 to 90</source>
        <translation>%1 a la latitude «&#xa0;%2&#xa0;», qui n’est pas un nombre de -90 à 90</translation>
    </message>
    <message>
        <source>%1 has longitude &quot;%2&quot;, not a number from -180 to 180</source>
        <translation>%1 a la longitude «&#xa0;%2&#xa0;», qui n’est pas un nombre de -180 à 180</translation>
    </message>
    <message>
        <source>the marker set centre</source>
        <translation>le centre du jeu de repères</translation>
    </message>
    <message>
        <source>marker %1</source>
        <translation>le repère %1</translation>
    </message>
    <message>
        <source>the marker set cannot be written as XML</source>
        <translation>le jeu de repères ne peut pas être écrit en XML</translation>
    </message>
    <message>
        <source>the marker set is larger than a marker set file may be</source>
        <translation>le jeu de repères dépasse la taille permise pour un fichier de jeu de repères</translation>
    </message>
    <message>
        <source>marker %1 has no latitude or no longitude</source>
        <translation>le repère %1 n’a pas de latitude ou pas de longitude</translation>
    </message>
</context>
<context>
    <name>MarkerSetController</name>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Failed to find marker set file %1</source>
        <translation>Le fichier de jeu de repères %1 est introuvable</translation>
    </message>
    <message>
        <source>Failed to load marker set from %1:
%2</source>
        <translation>Le jeu de repères n’a pas pu être ouvert à partir de %1&#xa0;:
%2</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Failed to save marker set!
%1</source>
        <translation>Le jeu de repères n’a pas pu être enregistré.
%1</translation>
    </message>
    <message>
        <source>Failed to load marker set file.
%1</source>
        <translation>Le fichier de jeu de repères n’a pas pu être ouvert.
%1</translation>
    </message>
    <message>
        <source>Failed to save marker set to %1
%2</source>
        <translation>Le jeu de repères n’a pas pu être enregistré dans %1
%2</translation>
    </message>
    <message>
        <source>No mail program is set up on this computer. Attach this file to a message by hand:
%1</source>
        <translation>Aucun logiciel de courriel n’est configuré sur cet ordinateur. Joignez vous-même ce fichier à un message&#xa0;:
%1</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>No mail program could be started. Attach this file to a message by hand:
%1</source>
        <translation>Aucun logiciel de courriel n’a pu être lancé. Joignez vous-même ce fichier à un message&#xa0;:
%1</translation>
    </message>
    <message>
        <source>My marker name %1</source>
        <translation>Mon repère %1</translation>
    </message>
    <message>
        <source>You have unsaved marker(s) in your current marker set.

Click &quot;Yes&quot; to save the markers before you close the window.
Click &quot;No&quot; to ignore the unsaved markers and close the window.
Click &quot;Cancel&quot; to return to Orbisk.</source>
        <translation>Votre jeu de repères actuel contient des repères non enregistrés.

Cliquez sur «&#xa0;Oui&#xa0;» pour enregistrer les repères avant de fermer la fenêtre.
Cliquez sur «&#xa0;Non&#xa0;» pour abandonner les repères non enregistrés et fermer la fenêtre.
Cliquez sur «&#xa0;Annuler&#xa0;» pour revenir à Orbisk.</translation>
    </message>
</context>
<context>
    <name>QtUserPrompts</name>
    <message>
        <source>Save Marker Set</source>
        <translation>Enregistrer le jeu de repères</translation>
    </message>
    <message>
        <source>Load Marker Set</source>
        <translation>Ouvrir un jeu de repères</translation>
    </message>
    <message>
        <source>Marker Set Files (*.obk)</source>
        <translation>Fichiers de jeu de repères (*.obk)</translation>
    </message>
    <message>
        <source>XML files (*.xml)</source>
        <translation>Fichiers XML (*.xml)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>GPX files (*.gpx)</source>
        <translation>Fichiers GPX (*.gpx)</translation>
    </message>
    <message>
        <source>KML files (*.kml)</source>
        <translation>Fichiers KML (*.kml)</translation>
    </message>
    <message>
        <source>KMZ files (*.kmz)</source>
        <translation>Fichiers KMZ (*.kmz)</translation>
    </message>
    <message>
        <source>GeoJSON files (*.geojson *.json)</source>
        <translation>Fichiers GeoJSON (*.geojson *.json)</translation>
    </message>
    <message>
        <source>Marker files (*.gpx *.kml *.kmz *.geojson *.json)</source>
        <translation>Fichiers de repères (*.gpx *.kml *.kmz *.geojson *.json)</translation>
    </message>
    <message>
        <source>Export Markers</source>
        <translation>Exporter les repères</translation>
    </message>
    <message>
        <source>Import Markers</source>
        <translation>Importer des repères</translation>
    </message>
</context>
<context>
    <name>SettingsController</name>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>The settings and favorites file %1 cannot be read, and it could not be moved aside. Orbisk starts with its default settings and no favorites; changes cannot be saved until the file is removed or repaired.</source>
        <translation>Le fichier des paramètres et des favoris %1 est illisible et n’a pas pu être mis de côté. Orbisk démarre avec ses paramètres par défaut et sans favoris; les changements ne pourront pas être enregistrés tant que le fichier ne sera pas supprimé ou réparé.</translation>
    </message>
    <message>
        <source>The settings and favorites file %1 cannot be read. Orbisk starts with its default settings and no favorites.

The unreadable file was kept as %2.</source>
        <translation>Le fichier des paramètres et des favoris %1 est illisible. Orbisk démarre avec ses paramètres par défaut et sans favoris.

Le fichier illisible a été conservé sous le nom %2.</translation>
    </message>
    <message>
        <source>Your settings could not be saved to %1. The changes stay in effect until Orbisk is closed.</source>
        <translation>Vos paramètres n’ont pas pu être enregistrés dans %1. Les changements restent en vigueur jusqu’à la fermeture d’Orbisk.</translation>
    </message>
    <message>
        <source>Your favorites could not be saved to %1. The changes stay in effect until Orbisk is closed.</source>
        <translation>Vos favoris n’ont pas pu être enregistrés dans %1. Les changements restent en vigueur jusqu’à la fermeture d’Orbisk.</translation>
    </message>
</context>
<context>
    <name>UpdateController</name>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Currently no update is available.</source>
        <translation>Aucune mise à jour n’est offerte pour le moment.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>orbisk::AboutBox</name>
    <message>
        <source>About Orbisk</source>
        <translation>À propos d’Orbisk</translation>
    </message>
    <message>
        <source>Orbisk (North America Edition)  Version %1</source>
        <translation>Orbisk (édition Amérique du Nord)  Version %1</translation>
    </message>
    <message>
        <source>Maps and lookups from orbisk-server; see NOTICE for the data it uses.</source>
        <translation>Cartes et recherches fournies par orbisk-server; voir NOTICE pour les données qu’il utilise.</translation>
    </message>
    <message>
        <source>This copy is freeware, provided &quot;AS-IS&quot; without warranty of any kind.</source>
        <translation>Cette copie est un logiciel gratuit, fourni «&#xa0;TEL QUEL&#xa0;», sans aucune garantie.</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>Logiciel libre sous la licence publique générale GNU, version 3 ou ultérieure.</translation>
    </message>
</context>
<context>
    <name>orbisk::BottomPanel</name>
    <message>
        <source>Local Search:</source>
        <translation>Recherche locale&#xa0;:</translation>
    </message>
    <message>
        <source>My Markers</source>
        <translation>Mes repères</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Ajouter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Modifier</translation>
    </message>
    <message>
        <source>&amp;Load</source>
        <translation>O&amp;uvrir</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>Sen&amp;d</source>
        <translation>Envo&amp;yer</translation>
    </message>
    <message>
        <source>Click here, then pick a position on the map to add a new marker there</source>
        <translation>Cliquez ici, puis choisissez un endroit sur la carte pour y ajouter un repère</translation>
    </message>
    <message>
        <source>Add marker</source>
        <translation>Ajouter un repère</translation>
    </message>
    <message>
        <source>Restart local search</source>
        <translation>Reprendre la recherche locale</translation>
    </message>
    <message>
        <source>Next results</source>
        <translation>Résultats suivants</translation>
    </message>
    <message>
        <source>Get next local search results</source>
        <translation>Afficher les résultats suivants de la recherche locale</translation>
    </message>
    <message>
        <source>Previous results</source>
        <translation>Résultats précédents</translation>
    </message>
    <message>
        <source>Get previous local search results</source>
        <translation>Afficher les résultats précédents de la recherche locale</translation>
    </message>
    <message>
        <source>Local search keyword</source>
        <translation>Mot-clé de la recherche locale</translation>
    </message>
    <message>
        <source>Local search keyword(s)</source>
        <translation>Mot ou mots-clés de la recherche locale</translation>
    </message>
    <message>
        <source>Local search status</source>
        <translation>État de la recherche locale</translation>
    </message>
    <message>
        <source>Edit current marker set</source>
        <translation>Modifier le jeu de repères actuel</translation>
    </message>
    <message>
        <source>Load a saved marker set</source>
        <translation>Ouvrir un jeu de repères enregistré</translation>
    </message>
    <message>
        <source>Save current marker set</source>
        <translation>Enregistrer le jeu de repères actuel</translation>
    </message>
    <message>
        <source>Email your marker set(s) to your frients</source>
        <translation>Envoyer vos jeux de repères à vos amis par courriel</translation>
    </message>
</context>
<context>
    <name>orbisk::BusyIndicator</name>
    <message>
        <source>Progress indicator</source>
        <translation>Indicateur de progression</translation>
    </message>
</context>
<context>
    <name>orbisk::CAddFavoriteDialog</name>
    <message>
        <source>Add Favorite</source>
        <translation>Ajouter un favori</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom&#xa0;:</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Orbisk will add following search to your Favorites list:</source>
        <translation>Orbisk ajoutera la recherche suivante à votre liste de favoris&#xa0;:</translation>
    </message>
</context>
<context>
    <name>orbisk::CDialogAddNewMarker</name>
    <message>
        <source>Marker Detail</source>
        <translation>Détails du repère</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Titre&#xa0;:</translation>
    </message>
    <message>
        <source>URL:</source>
        <translation>URL&#xa0;:</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Détails</translation>
    </message>
    <message>
        <source>Line %1:</source>
        <translation>Ligne %1&#xa0;:</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>Latitude&#xa0;:</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>Longitude&#xa0;:</translation>
    </message>
</context>
<context>
    <name>orbisk::CDialogEditFavorites</name>
    <message>
        <source>Edit Favorites</source>
        <translation>Modifier les favoris</translation>
    </message>
    <message>
        <source>Delete Favorite</source>
        <translation>Supprimer le favori</translation>
    </message>
    <message>
        <source>Delete the favorite &quot;%1&quot;?</source>
        <translation>Supprimer le favori «&#xa0;%1&#xa0;»?</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Renommer</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Select one of following favorite item to edit:</source>
        <translation>Choisissez le favori à modifier&#xa0;:</translation>
    </message>
</context>
<context>
    <name>orbisk::CDialogEditMarkerSet</name>
    <message>
        <source>Current Marker Set</source>
        <translation>Jeu de repères actuel</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Markers</source>
        <translation>Repères</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Emplacement</translation>
    </message>
    <message>
        <source>Map center latitude:</source>
        <translation>Latitude du centre de la carte&#xa0;:</translation>
    </message>
    <message>
        <source>Map center longitude:</source>
        <translation>Longitude du centre de la carte&#xa0;:</translation>
    </message>
    <message>
        <source>Map zoom level:</source>
        <translation>Niveau de zoom de la carte&#xa0;:</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom&#xa0;:</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Failed to save marker set!
%1</source>
        <translation>Le jeu de repères n’a pas pu être enregistré.
%1</translation>
    </message>
</context>
<context>
    <name>orbisk::CDialogRenameFavorite</name>
    <message>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
</context>
<context>
    <name>orbisk::CDialogUpdateProgress</name>
    <message>
        <source>Update</source>
        <translation>Mise à jour</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom&#xa0;:</translation>
    </message>
    <message>
        <source>Download:</source>
        <translation>Téléchargement&#xa0;:</translation>
    </message>
    <message>
        <source>A newer version of Orbisk is available for you to download now.</source>
        <translation>Une version plus récente d’Orbisk peut être téléchargée dès maintenant.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Check</source>
        <comment>opens the page the newer version is downloaded from</comment>
        <translation>Consulter</translation>
    </message>
</context>
<context>
    <name>orbisk::CExplorer1</name>
    <message>
        <source>Map</source>
        <translation>Carte</translation>
    </message>
    <message>
        <source>The map. With the keyboard in it, the arrow keys pan and plus and minus zoom; the View menu does the same from anywhere</source>
        <translation>La carte. Quand elle a le clavier, les flèches la déplacent et plus et moins changent le zoom; le menu Affichage fait de même de partout</translation>
    </message>
    <message>
        <source>&amp;Add Marker Here</source>
        <translation>&amp;Ajouter un repère ici</translation>
    </message>
    <message>
        <source>&amp;Copy Coordinates</source>
        <translation>&amp;Copier les coordonnées</translation>
    </message>
</context>
<context>
    <name>orbisk::CMapMainDlg</name>
    <message>
        <source>The map could not be prepared:
%1</source>
        <translation>La carte n’a pas pu être préparée&#xa0;:
%1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
</context>
<context>
    <name>orbisk::CPropertyFavorites</name>
    <message>
        <source>Favorite setting</source>
        <translation>Réglage des favoris</translation>
    </message>
    <message>
        <source>Maximum favorite items:</source>
        <translation>Nombre maximal de favoris&#xa0;:</translation>
    </message>
</context>
<context>
    <name>orbisk::CPropertyLanguage</name>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>The system&apos;s language</source>
        <translation>La langue du système</translation>
    </message>
    <message>
        <source>Orbisk speaks the language you choose from its next start.</source>
        <translation>Orbisk utilisera la langue choisie dès son prochain démarrage.</translation>
    </message>
    <message>
        <source>Language of Orbisk:</source>
        <translation>Langue d’Orbisk&#xa0;:</translation>
    </message>
</context>
<context>
    <name>orbisk::CPropertyMap</name>
    <message>
        <source>Pan/Zoom</source>
        <translation>Déplacement et zoom</translation>
    </message>
    <message>
        <source>Large map control</source>
        <translation>Grande commande de carte</translation>
    </message>
    <message>
        <source>Small map control</source>
        <translation>Petite commande de carte</translation>
    </message>
    <message>
        <source>No map control</source>
        <translation>Aucune commande de carte</translation>
    </message>
    <message>
        <source>Default Zoom Level:</source>
        <translation>Niveau de zoom par défaut&#xa0;:</translation>
    </message>
    <message>
        <source>Pan/Zoom Control:</source>
        <translation>Commande de déplacement et de zoom&#xa0;:</translation>
    </message>
    <message>
        <source>Map type</source>
        <translation>Type de carte</translation>
    </message>
    <message>
        <source>Map only</source>
        <translation>Carte seulement</translation>
    </message>
    <message>
        <source>Map and satellite</source>
        <translation>Carte et satellite</translation>
    </message>
</context>
<context>
    <name>orbisk::CPropertyOnline</name>
    <message>
        <source>OpenStreetMap</source>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>Find street addresses and local businesses online</source>
        <translation>Chercher les adresses et les commerces locaux en ligne</translation>
    </message>
    <message>
        <source>When this is on, the addresses and keywords you look up are sent to these services. When it is off, or they cannot be reached, Orbisk answers from its offline data.</source>
        <translation>Quand cette option est activée, les adresses et les mots-clés que vous cherchez sont envoyés à ces services. Quand elle est désactivée, ou qu’ils sont injoignables, Orbisk répond à partir de ses données hors ligne.</translation>
    </message>
    <message>
        <source>Geocoder (Nominatim):</source>
        <translation>Géocodeur (Nominatim)&#xa0;:</translation>
    </message>
    <message>
        <source>Local search (Overpass):</source>
        <translation>Recherche locale (Overpass)&#xa0;:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an http or https address.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas une adresse http ou https.</translation>
    </message>
    <message>
        <source>The online setting could not be saved in %1: %2</source>
        <translation>Le réglage en ligne n’a pas pu être enregistré dans %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>orbisk::CPropertySheetSettings</name>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Carte</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Mise à jour</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoris</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>En ligne</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>The language could not be saved in %1.</source>
        <translation>La langue n’a pas pu être enregistrée dans %1.</translation>
    </message>
</context>
<context>
    <name>orbisk::CPropertyUpdate</name>
    <message>
        <source>Update Preference</source>
        <translation>Préférence de mise à jour</translation>
    </message>
    <message>
        <source>Apply update without interrupting me</source>
        <translation>Appliquer les mises à jour sans me déranger</translation>
    </message>
    <message>
        <source>Notify me when updates are available </source>
        <translation>M’avertir quand des mises à jour sont offertes</translation>
    </message>
    <message>
        <source>Disable live update</source>
        <translation>Désactiver la mise à jour en direct</translation>
    </message>
</context>
<context>
    <name>orbisk::ImportOptionsDialog</name>
    <message>
        <source>Import Markers</source>
        <translation>Importer des repères</translation>
    </message>
    <message numerus="yes">
        <source>%Ln marker(s)</source>
        <translation>
            <numerusform>%Ln repère</numerusform>
            <numerusform>%Ln repères</numerusform>
        </translation>
    </message>
    <message>
        <source>The file holds %1.</source>
        <translation>Le fichier contient %1.</translation>
    </message>
    <message>
        <source>The file holds %1 and %2 with %3 in all.</source>
        <translation>Le fichier contient %1 et %2 comptant %3 en tout.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln route(s) or track(s)</source>
        <translation>
            <numerusform>%Ln itinéraire ou tracé</numerusform>
            <numerusform>%Ln itinéraires ou tracés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln point(s)</source>
        <translation>
            <numerusform>%Ln point</numerusform>
            <numerusform>%Ln points</numerusform>
        </translation>
    </message>
    <message>
        <source>Points of routes and tracks</source>
        <translation>Points des itinéraires et des tracés</translation>
    </message>
    <message>
        <source>Start and end of each</source>
        <translation>Départ et arrivée de chacun</translation>
    </message>
    <message>
        <source>Every point</source>
        <translation>Tous les points</translation>
    </message>
    <message>
        <source>More markers than a marker set can hold</source>
        <translation>Plus de repères qu’un jeu de repères peut en contenir</translation>
    </message>
    <message>
        <source>Markers</source>
        <translation>Repères</translation>
    </message>
    <message>
        <source>As a new marker set</source>
        <translation>Comme nouveau jeu de repères</translation>
    </message>
    <message>
        <source>Added to the current marker set</source>
        <translation>Ajoutés au jeu de repères actuel</translation>
    </message>
    <message>
        <source>None</source>
        <comment>no point of the routes and tracks becomes a marker</comment>
        <translation>Aucun</translation>
    </message>
</context>
<context>
    <name>orbisk::JobController</name>
    <message>
        <source>The map cannot be shown</source>
        <translation>La carte ne peut pas être affichée</translation>
    </message>
</context>
<context>
    <name>orbisk::LocateControls</name>
    <message>
        <source>&amp;Go</source>
        <translation>Alle&amp;r</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Aller</translation>
    </message>
    <message>
        <source>Find a new location</source>
        <translation>Trouver un nouvel endroit</translation>
    </message>
</context>
<context>
    <name>orbisk::LocatePanel</name>
    <message>
        <source>Locate by &amp;phone</source>
        <translation>Localiser par &amp;téléphone</translation>
    </message>
    <message>
        <source>Locate by &amp;zip code (postal code)</source>
        <translation>Localiser par code &amp;ZIP (code postal)</translation>
    </message>
    <message>
        <source>Locate by st&amp;reet address</source>
        <translation>Localiser par a&amp;dresse</translation>
    </message>
    <message>
        <source>Locate by la&amp;titude and longitude</source>
        <translation>Localiser par &amp;latitude et longitude</translation>
    </message>
    <message>
        <source>Phone number:</source>
        <translation>Numéro de téléphone&#xa0;:</translation>
    </message>
    <message>
        <source>Zip code or postal code:</source>
        <translation>Code ZIP ou code postal&#xa0;:</translation>
    </message>
    <message>
        <source>Street address:</source>
        <translation>Adresse&#xa0;:</translation>
    </message>
    <message>
        <source>Latitude/longitude:</source>
        <translation>Latitude/longitude&#xa0;:</translation>
    </message>
    <message>
        <source>Find a location by phone number</source>
        <translation>Trouver un endroit par numéro de téléphone</translation>
    </message>
    <message>
        <source>Find a location by zip code or postal code</source>
        <translation>Trouver un endroit par code ZIP ou code postal</translation>
    </message>
    <message>
        <source>Find a location by street address</source>
        <translation>Trouver un endroit par adresse</translation>
    </message>
    <message>
        <source>Find a location by latitude and longitude</source>
        <translation>Trouver un endroit par latitude et longitude</translation>
    </message>
    <message>
        <source>Locate</source>
        <translation>Localiser</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>Latitude&#xa0;:</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>Longitude&#xa0;:</translation>
    </message>
    <message>
        <source>No.:</source>
        <translation>N°&#xa0;:</translation>
    </message>
    <message>
        <source>City:</source>
        <translation>Ville&#xa0;:</translation>
    </message>
    <message>
        <source>Street:</source>
        <translation>Rue&#xa0;:</translation>
    </message>
    <message>
        <source>State/Province:</source>
        <translation>État/province&#xa0;:</translation>
    </message>
    <message>
        <source>Country:</source>
        <translation>Pays&#xa0;:</translation>
    </message>
    <message>
        <source>Area code</source>
        <translation>Indicatif régional</translation>
    </message>
    <message>
        <source>Line number</source>
        <translation>Numéro de ligne</translation>
    </message>
    <message>
        <source>Zip code or postal code</source>
        <translation>Code ZIP ou code postal</translation>
    </message>
    <message>
        <source>Street number</source>
        <translation>Numéro civique</translation>
    </message>
    <message>
        <source>Street</source>
        <translation>Rue</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ville</translation>
    </message>
    <message>
        <source>State or province</source>
        <translation>État ou province</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Pays</translation>
    </message>
    <message>
        <source>United States</source>
        <translation>États-Unis</translation>
    </message>
    <message>
        <source>Canada</source>
        <translation>Canada</translation>
    </message>
    <message>
        <source>Exchange</source>
        <comment>of a telephone number: the 3 digits after the area code</comment>
        <translation>Indicatif de central</translation>
    </message>
</context>
<context>
    <name>orbisk::MainMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Load Marker Set</source>
        <translation>&amp;Ouvrir un jeu de repères</translation>
    </message>
    <message>
        <source>S&amp;ave Marker Set</source>
        <translation>&amp;Enregistrer le jeu de repères</translation>
    </message>
    <message>
        <source>S&amp;end Marker Set</source>
        <translation>En&amp;voyer le jeu de repères</translation>
    </message>
    <message>
        <source>&amp;Import Markers...</source>
        <translation>&amp;Importer des repères…</translation>
    </message>
    <message>
        <source>E&amp;xport Markers...</source>
        <translation>E&amp;xporter les repères…</translation>
    </message>
    <message>
        <source>Page &amp;Setup</source>
        <translation>&amp;Mise en page</translation>
    </message>
    <message>
        <source>P&amp;rint Preview</source>
        <translation>A&amp;perçu avant impression</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>Imp&amp;rimer</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>Affic&amp;hage</translation>
    </message>
    <message>
        <source>&amp;Locate Panel</source>
        <translation>Panneau de &amp;localisation</translation>
    </message>
    <message>
        <source>&amp;Bottom Panel</source>
        <translation>Panneau du &amp;bas</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Zoom &amp;avant</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Zoom a&amp;rrière</translation>
    </message>
    <message>
        <source>Pan &amp;North</source>
        <translation>Déplacer vers le &amp;nord</translation>
    </message>
    <message>
        <source>Pan &amp;South</source>
        <translation>Déplacer vers le &amp;sud</translation>
    </message>
    <message>
        <source>Pan &amp;West</source>
        <translation>Déplacer vers l’&amp;ouest</translation>
    </message>
    <message>
        <source>Pan &amp;East</source>
        <translation>Déplacer vers l’&amp;est</translation>
    </message>
    <message>
        <source>Add &amp;Marker at Centre</source>
        <translation>Ajouter un repère au &amp;centre</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>S&amp;ettings</source>
        <translation>&amp;Paramètres</translation>
    </message>
    <message>
        <source>Favor&amp;ites</source>
        <translation>Fa&amp;voris</translation>
    </message>
    <message>
        <source>&amp;Add to Favorites...</source>
        <translation>&amp;Ajouter aux favoris…</translation>
    </message>
    <message>
        <source>&amp;Organize Favorites...</source>
        <translation>&amp;Organiser les favoris…</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;ide</translation>
    </message>
    <message>
        <source>A&amp;bout</source>
        <translation>À &amp;propos d’Orbisk</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;Mise à jour</translation>
    </message>
</context>
</TS>
