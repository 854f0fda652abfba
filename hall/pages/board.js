// The tab room's board: one WebSocket to the board server, a card per room, and, opened with
// the board's token, a box that sends notices to every room or to one. The server sends the
// whole board on connecting and then only the rooms that changed; each card is drawn on its
// own, so a room the page cannot draw shows as such and hides no other.
'use strict';
(function () {
  const $ = (id) => document.getElementById(id);
  const OFFLINE_ALERT_MS = 30000;
  let ws = null;
  let delay = 500;
  let tournament = null;      // null until the whole board came
  let rooms = new Map();      // name -> room, as the server sent it
  let serverNow = 0;          // the server's clock at the last message
  let received = 0;           // when that message came, by this browser's clock
  const cards = new Map();    // name -> {key, element}: a card is drawn again only when it changes

  function token() {
    const m = /(?:^|[?&])token=([^&#]*)/.exec(location.search);
    if (!m) return '';
    try { return decodeURIComponent(m[1]); } catch (e) { return ''; }
  }

  function connect() {
    const query = token() ? '?token=' + encodeURIComponent(token()) : '';
    const sock = new WebSocket((location.protocol === 'https:' ? 'wss:' : 'ws:') + '//' +
                               location.host + '/ws' + query);
    ws = sock;
    sock.onopen = () => { delay = 500; $('reconnecting').hidden = true; };
    sock.onmessage = (ev) => {
      let message;
      try { message = JSON.parse(ev.data); } catch (e) { return; }
      if (!message || typeof message !== 'object') return;
      if (typeof message.error === 'string') { say(refusal(message.error)); return; }
      if (typeof message.sent === 'string') { say('已发送 ' + clockTime(message.sent)); return; }
      take(message);
    };
    sock.onclose = () => {
      if (ws !== sock) return;
      $('reconnecting').hidden = false;
      setTimeout(connect, delay);
      delay = Math.min(delay * 2, 5000);
    };
  }

  function say(text) { $('notice-result').textContent = text; }

  function refusal(kind) {
    return { forbidden: '口令无效，无法发送通知', 'too many': '发送过于频繁，请稍后再试',
             malformed: '通知内容无效', unavailable: '未发送：看板未连接赛事服务器，或服务器拒绝了通知' }[kind] ||
           '未发送';
  }

  function clockTime(iso) {
    const at = new Date(iso);
    return isNaN(at) ? '' : at.toTimeString().slice(0, 5);
  }

  // How long ago a room was last heard, by the server's clock; null when nobody knows.
  function agoMs(room) {
    const heard = typeof room.heard === 'string' ? Date.parse(room.heard) : NaN;
    if (isNaN(heard) || !serverNow) return null;
    return Math.max(0, serverNow - heard + (Date.now() - received));
  }

  function agoText(ms) {
    if (ms === null) return '';
    const s = Math.round(ms / 1000);
    if (s < 60) return ' ' + s + '秒前';
    if (s < 3600) return ' ' + Math.floor(s / 60) + '分钟前';
    return ' ' + Math.floor(s / 3600) + '小时前';
  }

  function text(value) { return typeof value === 'string' ? value : ''; }
  function clocksOf(state) { return Array.isArray(state.clocks) ? state.clocks.filter((c) => c && typeof c === 'object') : []; }
  function overtimeOf(clock) { return typeof clock.overtime === 'number' && clock.overtime > 0 ? clock.overtime : 0; }

  // The state word and whether the card stands out.
  function describe(room) {
    const state = room.state && typeof room.state === 'object' ? room.state : {};
    const clocks = clocksOf(state);
    const over = clocks.some((c) => overtimeOf(c) > 0);
    const timeUp = over || clocks.some((c) => /时间到/.test(text(c.text)));
    if (!room.online) {
      const ago = agoMs(room);
      return { word: '离线' + agoText(ago), cls: 'offline', alert: ago === null || ago > OFFLINE_ALERT_MS };
    }
    if (state.screen === 'Form4') return { word: '主界面', cls: '', alert: false };
    if (timeUp) return { word: '时间到', cls: 'timeup', alert: over };
    if (state.running === true) return { word: '计时中', cls: 'running', alert: false };
    if (clocks.length) return { word: '暂停', cls: '', alert: false };
    return { word: '—', cls: '', alert: false };
  }

  function element(tag, cls, content) {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    if (content !== undefined) e.textContent = content;  // never markup: rooms are not trusted
    return e;
  }

  function card(name, room, looks) {
    const state = room.state && typeof room.state === 'object' ? room.state : {};
    const c = element('section', 'room' + (looks.alert ? ' alert' : '') + (room.online ? '' : ' offline'));
    c.setAttribute('aria-label', name + ' ' + looks.word);
    const head = element('div', 'room-head');
    head.append(element('span', 'room-name', name),
                element('span', 'room-word ' + looks.cls, looks.word));
    c.append(head);
    if (text(state.debate)) c.append(element('p', 'room-debate', state.debate));
    if (text(state.segment)) c.append(element('p', 'room-segment', state.segment));
    const clocks = element('div', 'room-clocks');
    for (const clock of clocksOf(state)) {
      const box = element('div', 'room-clock');
      if (text(clock.label)) box.append(element('div', 'label', clock.label));
      const shown = element('div', 'text', text(clock.text).trim());
      if (/^#[0-9A-Fa-f]{6}$/.test(text(clock.colour))) shown.style.color = lighten(clock.colour);
      box.append(shown);
      if (overtimeOf(clock) > 0) {
        box.append(element('div', 'over', text(clock.overtimeOf) + '超时 ' + overtimeOf(clock) + '秒'));
      }
      clocks.append(box);
    }
    c.append(clocks);
    return c;
  }

  // A room whose card cannot be drawn still has its place, named.
  function brokenCard(name) {
    const c = element('section', 'room');
    c.setAttribute('aria-label', name + ' —');
    const head = element('div', 'room-head');
    head.append(element('span', 'room-name', name), element('span', 'room-word', '—'));
    c.append(head);
    return c;
  }

  // Projector colours are chosen for a light picture; on the dark board the darkest are lifted.
  function lighten(hex) {
    const v = parseInt(hex.slice(1), 16);
    const rgb = [v >> 16 & 255, v >> 8 & 255, v & 255];
    const light = 0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2];
    return light < 90 ? '#e8ecf4' : hex;
  }

  function cardFor(name, room) {
    let looks = null;
    let key = '';
    try {
      looks = describe(room);
      key = JSON.stringify(room) + looks.word + looks.alert;
    } catch (e) {
      key = 'broken';
    }
    const cached = cards.get(name);
    if (cached && cached.key === key) return cached.element;
    let drawn;
    try { drawn = looks ? card(name, room, looks) : brokenCard(name); } catch (e) { drawn = brokenCard(name); }
    cards.set(name, { key: key, element: drawn });
    return drawn;
  }

  function render() {
    if (tournament === null) return;
    $('title').textContent = '赛事看板 · ' + tournament;
    const names = Array.from(rooms.keys()).sort((a, b) => (a < b ? -1 : a > b ? 1 : 0));
    const online = names.filter((n) => rooms.get(n).online === true).length;
    $('summary').textContent = names.length + ' 个赛场，' + online + ' 个在线';
    $('empty').hidden = names.length > 0;
    const list = $('rooms');
    const wanted = names.map((n) => cardFor(n, rooms.get(n)));
    const now = Array.from(list.children);
    if (wanted.length !== now.length || wanted.some((e, i) => e !== now[i])) list.replaceChildren(...wanted);
    const select = $('notice-room');
    if (select.options.length !== names.length + 1 ||
        names.some((n, i) => select.options[i + 1].value !== n)) {
      const chosen = select.value;
      select.replaceChildren(element('option', '', '全部赛场'));
      select.firstChild.value = '';
      for (const name of names) {
        const option = element('option', '', name);
        option.value = name;
        select.append(option);
      }
      select.value = chosen;
    }
  }

  function setUpNotices() {
    if (!token()) return;
    $('notice').hidden = false;
    $('notice').addEventListener('submit', (ev) => {
      ev.preventDefault();
      const content = $('notice-text').value.trim();
      if (!content) return;
      if (!ws || ws.readyState !== WebSocket.OPEN) { say('未发送：与看板的连接已断开'); return; }
      const message = { notice: content };
      if ($('notice-room').value) message.room = $('notice-room').value;
      ws.send(JSON.stringify(message));
      say('发送中…');
      $('notice-text').value = '';
    });
  }

  // A room as the server sent it, or nothing for one without a name.
  function keep(room) {
    if (room && typeof room === 'object' && typeof room.room === 'string' && room.room) {
      rooms.set(room.room, room);
    }
  }

  function clockOf(message) {
    const at = typeof message.now === 'string' ? Date.parse(message.now) : NaN;
    if (!isNaN(at)) { serverNow = at; received = Date.now(); }
  }

  function take(message) {
    if (Array.isArray(message.rooms)) {
      tournament = text(message.tournament);
      rooms = new Map();
      cards.clear();
      message.rooms.forEach(keep);
    } else if (Array.isArray(message.changed) && tournament !== null) {
      message.changed.forEach(keep);
    } else {
      return;
    }
    clockOf(message);
    render();
  }

  setUpNotices();
  // The board at once, then every change through the socket.
  fetch('/state').then((r) => r.json()).then((m) => { if (tournament === null) take(m); }).catch(() => {});
  connect();
  setInterval(render, 1000);  // the times since rooms were last heard
})();
