// SPDX-License-Identifier: GPL-3.0-or-later
// What the map page's layers share: the L.Orbisk namespace, elements made
// from text (never from markup) and the one way to fetch a data file.
(function () {
  'use strict';
  L.Orbisk = {};

  L.Orbisk.element = function (tag, className, text) {
    const node = document.createElement(tag);
    if (className) node.className = className;
    if (text !== undefined) node.textContent = text;
    return node;
  };

  // A file that cannot be had says so, in the console and on the page until
  // it comes, and is asked for again when the map next needs it: a failure
  // is never kept.
  const failing = new Set();
  let failedNote = null;
  L.Orbisk.fetchJson = function (url) {
    return fetch(url).then((r) => {
      if (!r.ok) throw new Error('HTTP ' + r.status);
      return r.json();
    }).then((json) => {
      failing.delete(url);
      if (failedNote && !failing.size) failedNote = failedNote.remove();
      return json;
    }, (error) => {
      console.warn('Orbisk: ' + url + ' could not be loaded: ' + error.message);
      failing.add(url);
      failedNote = failedNote || document.body.appendChild(L.Orbisk.element('div', 'note', 'Part of the map could not be loaded from the map server.'));
      throw error;
    });
  };

}());
