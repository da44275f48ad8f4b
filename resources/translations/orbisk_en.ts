<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Import</name>
    <message numerus="yes">
        <source>%n feature without geometry not imported</source>
        <translation>
            <numerusform>%n feature without geometry not imported</numerusform>
            <numerusform>%n feature without geometry not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n features without geometry not imported</source>
        <translation>
            <numerusform>%n features without geometry not imported</numerusform>
            <numerusform>%n features without geometry not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n line not imported</source>
        <translation>
            <numerusform>%n line not imported</numerusform>
            <numerusform>%n line not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n lines not imported</source>
        <translation>
            <numerusform>%n lines not imported</numerusform>
            <numerusform>%n lines not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n polygon not imported</source>
        <translation>
            <numerusform>%n polygon not imported</numerusform>
            <numerusform>%n polygon not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n polygons not imported</source>
        <translation>
            <numerusform>%n polygons not imported</numerusform>
            <numerusform>%n polygons not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n point</source>
        <translation>
            <numerusform>%n point</numerusform>
            <numerusform>%n point</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n points</source>
        <translation>
            <numerusform>%n points</numerusform>
            <numerusform>%n points</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n waypoint</source>
        <translation>
            <numerusform>%n waypoint</numerusform>
            <numerusform>%n waypoint</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n waypoints</source>
        <translation>
            <numerusform>%n waypoints</numerusform>
            <numerusform>%n waypoints</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n route point</source>
        <translation>
            <numerusform>%n route point</numerusform>
            <numerusform>%n route point</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n route points</source>
        <translation>
            <numerusform>%n route points</numerusform>
            <numerusform>%n route points</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n track point</source>
        <translation>
            <numerusform>%n track point</numerusform>
            <numerusform>%n track point</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n track points</source>
        <translation>
            <numerusform>%n track points</numerusform>
            <numerusform>%n track points</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n route not imported</source>
        <translation>
            <numerusform>%n route not imported</numerusform>
            <numerusform>%n route not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n routes not imported</source>
        <translation>
            <numerusform>%n routes not imported</numerusform>
            <numerusform>%n routes not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n track not imported</source>
        <translation>
            <numerusform>%n track not imported</numerusform>
            <numerusform>%n track not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n tracks not imported</source>
        <translation>
            <numerusform>%n tracks not imported</numerusform>
            <numerusform>%n tracks not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n property left out for want of room</source>
        <translation>
            <numerusform>%n property left out for want of room</numerusform>
            <numerusform>%n property left out for want of room</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n properties left out for want of room</source>
        <translation>
            <numerusform>%n properties left out for want of room</numerusform>
            <numerusform>%n properties left out for want of room</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n marker</source>
        <translation>
            <numerusform>%n marker</numerusform>
            <numerusform>%n marker</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n markers</source>
        <translation>
            <numerusform>%n markers</numerusform>
            <numerusform>%n markers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n ring not imported</source>
        <translation>
            <numerusform>%n ring not imported</numerusform>
            <numerusform>%n ring not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n rings not imported</source>
        <translation>
            <numerusform>%n rings not imported</numerusform>
            <numerusform>%n rings not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 3D model not imported</source>
        <translation>
            <numerusform>%n 3D model not imported</numerusform>
            <numerusform>%n 3D model not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 3D models not imported</source>
        <translation>
            <numerusform>%n 3D models not imported</numerusform>
            <numerusform>%n 3D models not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n overlay not imported</source>
        <translation>
            <numerusform>%n overlay not imported</numerusform>
            <numerusform>%n overlay not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n overlays not imported</source>
        <translation>
            <numerusform>%n overlays not imported</numerusform>
            <numerusform>%n overlays not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n network link not imported</source>
        <translation>
            <numerusform>%n network link not imported</numerusform>
            <numerusform>%n network link not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n network links not imported</source>
        <translation>
            <numerusform>%n network links not imported</numerusform>
            <numerusform>%n network links not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n placemark without a point not imported</source>
        <translation>
            <numerusform>%n placemark without a point not imported</numerusform>
            <numerusform>%n placemark without a point not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n placemarks without a point not imported</source>
        <translation>
            <numerusform>%n placemarks without a point not imported</numerusform>
            <numerusform>%n placemarks without a point not imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n placemark</source>
        <translation>
            <numerusform>%n placemark</numerusform>
            <numerusform>%n placemark</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n placemarks</source>
        <translation>
            <numerusform>%n placemarks</numerusform>
            <numerusform>%n placemarks</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LocateRemark</name>
    <message numerus="yes">
        <source>The area code has %n digit(s); it needs 3</source>
        <translation>
            <numerusform>The area code has %n digit; it needs 3</numerusform>
            <numerusform>The area code has %n digits; it needs 3</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The exchange has %n digit(s); it needs 3</source>
        <translation>
            <numerusform>The exchange has %n digit; it needs 3</numerusform>
            <numerusform>The exchange has %n digits; it needs 3</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The line number has %n digit(s); it needs 4</source>
        <translation>
            <numerusform>The line number has %n digit; it needs 4</numerusform>
            <numerusform>The line number has %n digits; it needs 4</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>orbisk::ImportOptionsDialog</name>
    <message numerus="yes">
        <source>%Ln marker(s)</source>
        <translation>
            <numerusform>%Ln marker</numerusform>
            <numerusform>%Ln markers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln route(s) or track(s)</source>
        <translation>
            <numerusform>%Ln route or track</numerusform>
            <numerusform>%Ln routes or tracks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln point(s)</source>
        <translation>
            <numerusform>%Ln point</numerusform>
            <numerusform>%Ln points</numerusform>
        </translation>
    </message>
</context>
</TS>
