// Client for the hall pages: one WebSocket to the timer, a live copy of the
// projected clocks and, on the remote page, the operator's buttons.
// The CSP forbids inline script, so both pages load this file with defer.
'use strict';
(function () {
  const REMOTE = document.body.dataset.page === 'remote';
  const TITLE = '辩论赛计时系统';
  const SIDES = new Map([['Left', '◀ 左侧'], ['Right', '右侧 ▶']]);
  const NOTICES = {
    'too many': '操作过于频繁，请稍后再试',
    unavailable: '当前无法执行该操作',
    unknown: '该操作已失效，请稍候再试',
    malformed: '指令无法识别',
  };
  const MIN_DELAY = 500;
  const MAX_DELAY = 5000;
  const $ = (id) => document.getElementById(id);

  let ws = null;
  let online = false;
  let locked = false;        // remote only: the token was refused; never retry
  let held = false;          // remote only: too many wrong tokens from here; wait, then retry
  let delay = MIN_DELAY;
  let retryTimer = 0;
  let noticeTimer = 0;
  let fitFrame = 0;
  let actionKey = null;
  const buttons = new Map(); // action name -> <button>

  // Decoded once, as the server decodes it: a "+" in a token is a plus, not a blank.
  function token() {
    const m = /(?:^|[?&])token=([^&#]*)/.exec(location.search);
    if (!m) return '';
    try { return decodeURIComponent(m[1]); } catch (e) { return ''; }
  }

  function socketUrl() {
    const scheme = location.protocol === 'https:' ? 'wss:' : 'ws:';
    const query = REMOTE ? '?token=' + encodeURIComponent(token()) : '';
    return scheme + '//' + location.host + '/ws' + query;
  }

  function connect() {
    clearTimeout(retryTimer);
    retryTimer = 0;
    if (locked) return;
    let sock;
    try {
      sock = new WebSocket(socketUrl());
    } catch (e) {
      scheduleReconnect();
      return;
    }
    ws = sock;
    // On a dead Wi-Fi the handshake can hang far longer than our back-off.
    const guard = setTimeout(() => {
      if (sock.readyState === WebSocket.CONNECTING) sock.close();
    }, 8000);
    sock.onopen = () => clearTimeout(guard);
    sock.onmessage = (ev) => { if (ws === sock) receive(ev.data); };
    sock.onclose = (ev) => {
      clearTimeout(guard);
      if (ws !== sock) return;
      ws = null;
      setOnline(false);
      if (REMOTE && ev.code === 4403) forbid();
      else scheduleReconnect();
    };
  }

  function scheduleReconnect() {
    if (locked || held || retryTimer) return;
    retryTimer = setTimeout(connect, delay);
    delay = Math.min(delay * 2, MAX_DELAY);
  }

  // A phone waking up or rejoining Wi-Fi should not sit out the back-off.
  function reconnectNow() {
    if (retryTimer && !document.hidden) connect();
  }

  function receive(data) {
    let msg;
    try { msg = JSON.parse(data); } catch (e) { return; }
    if (!msg || typeof msg !== 'object') return;
    if ('error' in msg) {
      onError(String(msg.error), Number(msg.wait) || 0);
      return;
    }
    // Reset only once a state arrives, so a server that accepts and then
    // drops us at once is not hammered every half second.
    delay = MIN_DELAY;
    setOnline(true);
    render(msg);
  }

  function onError(kind, wait) {
    if (kind === 'forbidden') {
      if (REMOTE) forbid();
      return;
    }
    if (REMOTE && kind === 'too many' && wait > 0) {
      holdOff(wait);
      return;
    }
    notify(NOTICES[kind] || '指令未被接受', kind === 'too many' ? 5000 : 2500);
  }

  // The server counts no command from here until the wait is over: the buttons wait with it,
  // and then the page asks again with its token.
  function holdOff(seconds) {
    held = true;
    notify('尝试过多，请一分钟后再试', seconds * 1000);
    const sock = ws;
    ws = null;
    if (sock) sock.close();
    setOnline(false);
    clearTimeout(retryTimer);
    retryTimer = setTimeout(() => {
      held = false;
      retryTimer = 0;
      connect();
    }, seconds * 1000);
  }

  function forbid() {
    locked = true;
    clearTimeout(retryTimer);
    retryTimer = 0;
    const el = $('forbidden');
    if (el) el.hidden = false;
    setOnline(online);
  }

  function setOnline(on) {
    online = on;
    document.body.classList.toggle('offline', !on);
    $('reconnecting').hidden = on || locked || held;
    syncButtons();
  }

  function render(state) {
    const list = Array.isArray(state.clocks) ? state.clocks.filter((c) => c && typeof c === 'object') : [];
    const clocks = state.screen ? list : [];
    const segment = clocks.length && typeof state.segment === 'string' ? state.segment : '';
    const seg = $('segment');
    seg.textContent = segment;
    seg.hidden = !segment;
    $('idle').hidden = clocks.length > 0;
    renderClocks(clocks);
    if (REMOTE) renderActions(Array.isArray(state.actions) ? state.actions : []);
    else document.title = segment ? segment + ' · ' + TITLE : TITLE;
  }

  function renderClocks(clocks) {
    const box = $('clocks');
    const key = clocks.map((c) => String(c.name)).join('\n');
    let refit = false;
    if (box.dataset.key !== key) {
      box.dataset.key = key;
      box.replaceChildren(...clocks.map((c) => {
        const cell = document.createElement('div');
        cell.className = 'clock-box';
        const el = document.createElement('div');
        el.className = 'clock';
        el.id = 'clock-' + c.name;
        el.setAttribute('role', 'timer');
        el.setAttribute('aria-live', 'off');
        cell.append(el);
        return cell;
      }));
      refit = true;
    }
    box.hidden = clocks.length === 0;
    box.classList.toggle('pair', clocks.length > 1);
    clocks.forEach((c, i) => {
      const el = box.children[i].firstChild;
      const text = c.text == null ? '' : String(c.text);
      // Digits are tabular, so only a change of shape ("9:59" -> "10:00",
      // digits -> words) needs the font size recomputed.
      const shape = text.replace(/\d/g, '0');
      if (el.dataset.shape !== shape) refit = true;
      el.dataset.shape = shape;
      el.textContent = text;
      el.style.color = '';
      el.style.color = String(c.colour || '');
      el.parentNode.classList.toggle('light', isDark(c.colour));
      // Whose time it is ("正方"), where the screen says; textContent only, never markup.
      const label = typeof c.label === 'string' ? c.label : '';
      if (el.parentNode.dataset.label !== label) el.parentNode.dataset.label = label;
    });
    if (refit) fitClocks();
  }

  // WCAG relative luminance; dark colours get a light box to stay legible.
  function isDark(colour) {
    const m = /^#([0-9a-f]{3}|[0-9a-f]{6})$/i.exec(String(colour || '').trim());
    if (!m) return false;
    const hex = m[1].length === 3 ? m[1].replace(/./g, '$&$&') : m[1];
    const lin = (i) => {
      const v = parseInt(hex.substr(i, 2), 16) / 255;
      return v <= 0.04045 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(0) + 0.7152 * lin(2) + 0.0722 * lin(4) < 0.2;
  }

  // Largest size at which every clock fits its box on one line; both clocks
  // of a pair share it so neither side looks more important.
  function fitClocks() {
    const els = Array.from(document.querySelectorAll('#clocks .clock'));
    let size = Infinity;
    for (const el of els) {
      const box = el.parentNode;
      el.style.fontSize = '100px';
      const r = el.getBoundingClientRect();
      if (!r.width || !r.height || !box.clientWidth || !box.clientHeight) continue;
      size = Math.min(size, 100 * Math.min(box.clientWidth * 0.9 / r.width, box.clientHeight * 0.8 / r.height));
    }
    const css = isFinite(size) ? Math.max(8, Math.floor(size)) + 'px' : '';
    for (const el of els) el.style.fontSize = css;
  }

  function scheduleFit() {
    cancelAnimationFrame(fitFrame);
    fitFrame = requestAnimationFrame(fitClocks);
  }

  // Buttons are rebuilt only when the set of actions changes, so a caption or
  // enabled-state update cannot swallow a tap between touchstart and click.
  function renderActions(actions) {
    const list = actions.filter((a) => a && typeof a.name === 'string');
    const key = list.map((a) => a.name).join('\n');
    if (key !== actionKey) {
      actionKey = key;
      buttons.clear();
      for (const a of list) {
        const b = document.createElement('button');
        b.type = 'button';
        b.dataset.action = a.name;
        b.addEventListener('click', () => press(b));
        buttons.set(a.name, b);
      }
      // Left always on the left, whatever order the server lists them in.
      const sides = ['Left', 'Right'].filter((n) => buttons.has(n)).map((n) => buttons.get(n));
      const commands = list.filter((a) => !SIDES.has(a.name)).map((a) => buttons.get(a.name));
      $('sides').replaceChildren(...sides);
      $('commands').replaceChildren(...commands);
      $('no-actions').hidden = list.length > 0;
    }
    for (const a of list) {
      const b = buttons.get(a.name);
      b.textContent = SIDES.get(a.name) || (a.text == null ? a.name : String(a.text));
      b.dataset.enabled = String(a.enabled !== false);
    }
    syncButtons();
  }

  function syncButtons() {
    for (const b of buttons.values()) {
      b.disabled = locked || held || !online || b.dataset.enabled !== 'true';
    }
  }

  function press(b) {
    if (b.disabled || !ws || ws.readyState !== WebSocket.OPEN) return;
    ws.send(JSON.stringify({ trigger: b.dataset.action }));
  }

  function notify(text, ms) {
    const el = $('notice');
    if (!el) return;
    el.textContent = text;
    el.hidden = false;
    clearTimeout(noticeTimer);
    noticeTimer = setTimeout(() => { el.hidden = true; }, ms);
  }

  if (window.ResizeObserver) new ResizeObserver(scheduleFit).observe($('clocks'));
  else window.addEventListener('resize', scheduleFit);
  window.addEventListener('online', reconnectNow);
  document.addEventListener('visibilitychange', reconnectNow);
  // iOS Safari only shows :active on elements once some touch listener exists.
  document.addEventListener('touchstart', () => {}, { passive: true });

  if (REMOTE && !token()) forbid();
  else connect();
})();
