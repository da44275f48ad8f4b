// SPDX-License-Identifier: GPL-3.0-or-later
// The view publisher of the map page, as a Leaflet layer that draws nothing:
// L.Orbisk.ViewPublisher(). It keeps the hidden fields the client reads
// back (BVXMin, BVXMax, BVYMin, BVYMax, BVZoom) on the visible map's edges
// and zoom after every move.
(function () {
  'use strict';

  L.Orbisk.ViewPublisher = L.Layer.extend({
    onAdd: function (map) {
      map.on('moveend zoomend', this._publish, this);
      this._publish();
    },

    onRemove: function (map) {
      map.off('moveend zoomend', this._publish, this);
    },

    _publish: function () {
      const bounds = this._map.getBounds();
      const set = (name, value) => { document.getElementById(name).value = value; };
      set('BVXMin', bounds.getWest().toFixed(8));
      set('BVXMax', bounds.getEast().toFixed(8));
      set('BVYMin', bounds.getSouth().toFixed(8));
      set('BVYMax', bounds.getNorth().toFixed(8));
      // The map's zoom 0 is the web map's 2.
      set('BVZoom', String(Math.max(0, Math.min(16, this._map.getZoom() - 2))));
    },
  });
}());
