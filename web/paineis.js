// The panels beside the screen, each behind a switch of its own kept on this
// device: "Consulta à tabela" (each statistic's table block with a picture of
// its distribution) and "Gráfico" (each result's picture, saved as an SVG
// file). The program draws and writes all of it; this script only places it.
//
// The program hands the panels' pieces over as output kinds of their own
// (web/page.hpp), and only for the switches on when a run starts: it reads
// them from body[data-paineis]. The page's script (web/terminal.js, which
// runs after this one) announces each piece on the screen element as the
// event "lousa-saida", right after putting the screen's text so far in
// place, so a panel goes in where its result ends; the page scrolls to it
// with the screen, once a frame. A panel is never part of
// the screen's text: saving, correcting and replaying a session see only the
// course's screen; printing shows the panels that are on.
(function () {
  'use strict';

  const lousa = JSON.parse(document.getElementById('dados').textContent);
  const tela = document.getElementById('tela');
  const switches = [
    { name: 'tabela', label: 'Consulta à tabela', key: 'lousa.consultaTabela' },
    { name: 'grafico', label: 'Gráfico', key: 'lousa.grafico' },
  ];
  let panel = null;  // the panel of the result just shown, while nothing follows it on the screen

  // ---- The switches: one in the toolbar, and on a phone one in the "⋯"
  // menu; both show the same state.
  function switchedOn() {
    return (document.body.dataset.paineis || '').split(' ').filter(Boolean);
  }

  function setSwitch(name, on) {
    const names = switchedOn().filter((n) => n !== name).concat(on ? [name] : []);
    document.body.dataset.paineis = switches.map((s) => s.name).filter((n) => names.includes(n)).join(' ');
    for (const button of document.querySelectorAll(`[data-painel="${name}"]`)) button.setAttribute('aria-checked', String(on));
  }

  function makeSwitch(s, cssClass) {
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'chave ' + cssClass;
    button.setAttribute('role', 'switch');
    button.dataset.painel = s.name;
    button.textContent = s.label;
    button.addEventListener('click', () => {
      const on = !switchedOn().includes(s.name);
      setSwitch(s.name, on);
      keep(s.key, on ? '1' : '0');
      // The run listening since its start has no panel for what is on the
      // screen: the same session again (runs are deterministic) fills it.
      if (on) tela.dispatchEvent(new CustomEvent('lousa-refazer'));
      // As the page's other actions: the menu closes, the answer line has the focus back.
      if (button.closest('[popover]')) button.closest('[popover]').hidePopover();
      document.getElementById('entrada').focus({ preventScroll: true });
    });
    return button;
  }

  const more = document.querySelector('[popovertarget="mais"]');
  const menu = document.getElementById('mais');
  menu.prepend(...switches.map((s) => makeSwitch(s, 'so-celular')));
  for (const s of switches) {
    more.before(makeSwitch(s, 'menos'));
    setSwitch(s.name, recalled(s.key) === '1');
  }

  function keep(key, value) {
    try { localStorage.setItem(key, value); } catch (noStorage) { /* the choice lasts this visit */ }
  }

  function recalled(key) {
    try { return localStorage.getItem(key); } catch (noStorage) { return null; }
  }

  // ---- The pieces, into the panel of the result they follow.
  tela.addEventListener('lousa-saida', ({ detail: { kind, text } }) => {
    if (kind === lousa.kind.table) addBlock(text);
    else if (kind === lousa.kind.distribution) addDistribution(text);
    else if (kind === lousa.kind.picture) addPicture(text);
    else if (kind === lousa.kind.numbers) addNumbers(text);
  });

  // Consecutive pieces share a panel; the screen's text after them (or a new
  // run, which empties the screen) starts another.
  function currentPanel() {
    if (panel && panel === tela.lastChild) return panel;
    panel = group('painel', 'Junto ao resultado');
    tela.appendChild(panel);
    return panel;
  }

  // A statistic: its block as the terminal's --tabela writes it, and then
  // (the distribution comes right after its block) the picture beside it.
  function addBlock(text) {
    const item = group('consulta', 'Consulta à tabela');
    item.appendChild(element('pre', 'bloco-tabela', text.replace(/^\n+|\n+$/g, '')));
    currentPanel().appendChild(item);
  }

  function addDistribution(svgText) {
    const last = currentPanel().lastElementChild;
    const item = last && last.matches('.consulta') && !last.querySelector('figure') ? last : currentPanel().appendChild(group('consulta', 'Consulta à tabela'));
    const figure = item.appendChild(element('figure', 'distribuicao'));
    whenIdle(() => {
      const picture = svgFrom(svgText);
      if (picture) figure.appendChild(picture);
      else figure.remove();
    });
  }

  // Pictures are drawn when the page has nothing else to do (at the latest a
  // second later): the screen's text comes first, and a long session is not
  // held up by its pictures.
  function whenIdle(job) {
    if (window.requestIdleCallback) requestIdleCallback(job, { timeout: 1000 });
    else setTimeout(job, 0);
  }

  // A result's picture: its file name on the first line, then the SVG. An
  // application without a picture hands an empty one, and the panel says so.
  // The picture is an image (a 50 x 50 table's bars are 64 KB of SVG: as
  // elements of the page they would hold the screen up), its title the
  // image's text, its description the caption.
  function addPicture(text) {
    const end = text.indexOf('\n');
    const [name, svgText] = [text.slice(0, end), text.slice(end + 1)];
    const figure = element('figure', 'grafico');
    if (svgText === '') {
      if (!name.startsWith('01-')) return;  // the run ended before its result
      figure.appendChild(element('figcaption', null, 'Sem gráfico: o dimensionamento de amostras dá um número só, o tamanho da amostra.'));
      return currentPanel().appendChild(figure);
    }
    const about = svgFrom(/^[\s\S]*?<\/desc>/.exec(svgText)[0] + '</svg>');
    const picture = element('img');
    picture.decoding = 'async';  // drawn apart from the screen's frames
    picture.width = Number(/ width="([\d.]+)"/.exec(svgText)[1]);  // its room kept until it is drawn
    picture.height = Number(/ height="([\d.]+)"/.exec(svgText)[1]);
    whenIdle(() => {  // a blob, not a data: address: a 200 KB picture is not encoded again
      picture.src = URL.createObjectURL(new Blob([svgText], { type: 'image/svg+xml' }));
      picture.addEventListener('load', () => URL.revokeObjectURL(picture.src), { once: true });
    });
    picture.alt = about ? about.querySelector('title').textContent : '';
    const caption = element('figcaption', null, about ? about.querySelector('desc').textContent : '');
    const save = element('button', 'salvar-svg', 'Salvar ' + name);
    save.type = 'button';
    save.addEventListener('click', () => download(name, svgText));
    caption.append(' ', save);
    figure.append(picture, caption);
    currentPanel().appendChild(figure);
  }

  // The numbers of the picture just placed, for who cannot see it: a table
  // made when it is first opened (a 50 x 50 table has 2 500 cells).
  function addNumbers(text) {
    const caption = currentPanel().lastElementChild.querySelector('figcaption');
    const numbers = element('details', 'numeros');
    numbers.appendChild(element('summary', null, 'Os números do gráfico'));
    numbers.addEventListener('toggle', () => {
      if (numbers.open && !numbers.querySelector('table')) numbers.appendChild(tableOf(text));
    });
    caption.appendChild(numbers);
  }

  // Tab-separated lines, the headings first; each line's first cell heads its row.
  function tableOf(text) {
    const table = element('table');
    text.replace(/\n$/, '').split('\n').forEach((line, row) => {
      const tr = (row === 0 ? table.createTHead() : table.tBodies[0] || table.createTBody()).insertRow();
      line.split('\t').forEach((cell, column) => {
        const heading = row === 0 || column === 0;
        const made = tr.appendChild(element(heading ? 'th' : 'td', null, cell));
        if (heading) made.scope = row === 0 ? 'col' : 'row';
      });
    });
    return table;
  }

  // The program's SVG as an element of the page (it carries no script and no
  // id); nothing when it is not well-formed.
  function svgFrom(text) {
    const parsed = new DOMParser().parseFromString(text, 'image/svg+xml');
    if (parsed.querySelector('parsererror') || parsed.documentElement.localName !== 'svg') return null;
    const svg = document.importNode(parsed.documentElement, true);
    svg.setAttribute('focusable', 'false');
    return svg;
  }

  // Not a landmark: a result has many, inside the screen.
  function group(cssClass, label) {
    const made = element('div', cssClass);
    made.setAttribute('role', 'group');
    made.setAttribute('aria-label', label);
    return made;
  }

  function element(tag, cssClass, text) {
    const made = document.createElement(tag);
    if (cssClass) made.className = cssClass;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  function download(name, text) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([text], { type: 'image/svg+xml' }));
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }
})();
