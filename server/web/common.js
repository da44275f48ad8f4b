// SPDX-License-Identifier: GPL-3.0-or-later
// What the map page's layers share: the L.Orbisk namespace, elements and
// popups made from text (never from markup), links only to web addresses, and
// the one way to fetch a data file.
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
  // Notes stack in one column at the top of the map, so two never cover each other.
  L.Orbisk.note = function (text) {
    let column = document.querySelector('.notes');
    if (!column) column = document.body.appendChild(L.Orbisk.element('div', 'notes'));
    return column.appendChild(L.Orbisk.element('div', 'note', text));
  };

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
      failedNote = failedNote || L.Orbisk.note(L.Orbisk.text.partNotLoaded);
      throw error;
    });
  };

  function link(url, text) {
    if (!/^https?:\/\//i.test(url)) return null;
    const anchor = L.Orbisk.element('a', '', text);
    anchor.href = url;
    anchor.target = '_blank';
    anchor.rel = 'noopener noreferrer';
    return anchor;
  }

  // A popup's content: a title, the lines that are not empty and a web link.
  L.Orbisk.popup = function (title, lines, url) {
    const box = L.Orbisk.element('div');
    box.appendChild(L.Orbisk.element('div', 'popup-title', title));
    lines.filter((line) => line !== '').forEach((line) => box.appendChild(L.Orbisk.element('div', '', line)));
    const anchor = link(url, url);
    if (anchor) box.appendChild(anchor);
    return box;
  };
}());
