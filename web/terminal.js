// The page around the program: a terminal screen, an answer line that sends
// one line at a time, and the end of each run. The program (criaLousa, the
// script just above this one) asks for lines and shows text; everything here
// only moves text between it and the page, and never changes what was typed.
//
// Each job has its part, in this order: what the build tells the page; the
// screen; the input queue; the run; the answer line and its notes; files;
// examples; saving and printing; the phone's fit.
(function () {
  'use strict';

  // ---- What the build tells the page (web/monta.js, web/dados.cpp): the
  // version, the exit statuses, the kinds of output, the code page 850
  // characters above 127, the menu's titles and the examples.
  const ui = elementsById(['tela', 'rolagem', 'dica', 'linha', 'entrada', 'aviso', 'aviso-texto', 'de-novo',
    'corrigir', 'notas', 'arquivo', 'exemplos', 'caber', 'nome', 'cabecalho', 'dados', 'programa']);
  const lousa = JSON.parse(ui.dados.textContent);
  // The WebAssembly module, compiled once; each run gets its own instance.
  const program = WebAssembly.compile(Uint8Array.from(atob(ui.programa.textContent.trim()), (c) => c.charCodeAt(0)));
  // The answer line's own memory: earlier lines for the arrows (kept across
  // runs, since a student often types the same data again) and its notes.
  const line = { history: [], position: 0, draft: '', escapeBefore: false, warnedComma: null, previous: null };
  // The run on the page; a new one replaces it, and the old one can no longer
  // touch the page.
  let run = null;

  function elementsById(ids) {
    const found = {};
    for (const id of ids) found[id] = document.getElementById(id);
    return found;
  }

  // Where the page is, for its style: loading, running, waiting (the program
  // waits for a line) or ended.
  function setState(name) {
    document.body.dataset.estado = name;
  }

  // ---- The screen. Text waits here and goes to the page in one piece per
  // animation frame, a block of its own appended after what is there: the
  // blocks already shown are not laid out again, and the page scrolls once
  // per piece. A line not yet ended (a prompt waiting for its answer) stays
  // open in the last block until its line end comes. What goes beside the
  // screen (a panel's piece) waits in the same queue, so that it goes in
  // where its result ends, in the same frame.
  class Screen {
    constructor(element) {
      element.textContent = '';
      this.element = element;
      this.text = '';  // everything shown in this run, as saved and printed
      this.pending = [];
      this.frameAsked = false;
      this.openBlock = null;
    }

    // cssClass: null for the program's screen, 'digitado' for a typed line,
    // 'relato' for the report of a run that stopped.
    add(text, cssClass) {
      this.text += text;
      const last = this.pending[this.pending.length - 1];
      if (!cssClass && last && !last.beside && !last.cssClass) last.text += text;
      else this.pending.push({ text, cssClass });
      this.askFrame();
    }

    // A piece for the panels: announced on the screen element as the event
    // "lousa-saida" once the screen's text before it is in place.
    addBeside(kind, text) {
      this.pending.push({ beside: { kind, text } });
      this.askFrame();
    }

    askFrame() {
      if (this.frameAsked) return;
      this.frameAsked = true;
      requestAnimationFrame(() => this.flush());
    }

    flush() {
      this.frameAsked = false;
      if (this.pending.length === 0) return;
      let block = newBlock();
      let target = this.openBlock || block;
      let open = false;
      for (const { text, cssClass, beside } of this.pending) {
        if (beside) {  // the screen goes on after it, in a block of its own
          if (block.firstChild) this.element.appendChild(block);
          target = block = newBlock();
          open = false;
          this.element.dispatchEvent(new CustomEvent('lousa-saida', { detail: beside }));
          continue;
        }
        let rest = text;
        open = !text.endsWith('\n');
        if (target !== block) {  // first end the line left open
          const end = cssClass === 'relato' ? -1 : rest.indexOf('\n');
          if (end < 0 && cssClass !== 'relato') {
            append(target, rest, cssClass);
            continue;
          }
          if (end >= 0) append(target, rest.slice(0, end + 1), cssClass);
          rest = rest.slice(end + 1);
          target = block;
          if (rest === '') continue;
        }
        append(block, rest, cssClass);
      }
      this.pending = [];
      if (block.firstChild) this.element.appendChild(block);
      if (!open) this.openBlock = null;
      else if (block.firstChild) this.openBlock = block;
      scrollToEnd();
    }
  }

  function newBlock() {
    const block = document.createElement('span');
    block.className = 'bloco';
    return block;
  }

  function append(where, text, cssClass) {
    if (!cssClass) return where.appendChild(document.createTextNode(text));
    const piece = document.createElement('span');
    piece.className = cssClass;
    piece.textContent = text;
    where.appendChild(piece);
  }

  function scrollToEnd() {
    ui.rolagem.scrollTop = ui.rolagem.scrollHeight;
    showHint();
  }

  // ---- The input queue: where the next line comes from. Typed, pasted,
  // opened and replayed lines all wait here in order, as a terminal would hand
  // them over. `held` lines follow the next line the student sends (the rest
  // of a block after a corrected typo).
  class Input {
    constructor() {
      this.sources = [];
      this.held = [];
    }

    lines(list) {
      if (list.length > 0) this.sources.push(linesSource(list));
    }

    // A file: a saved session when it begins with what the program shows
    // before its first read, answers otherwise.
    opened(text) {
      const unix = text.replace(/\r\n?/g, '\n');  // a session saved again on another system
      let inner = null;
      this.sources.push({
        next(screen) {
          inner = inner || (unix.startsWith(screen) ? savedSource(unix) : linesSource(splitLines(text)));
          return inner.next(screen);
        },
        rest: () => (inner ? inner.rest() : splitLines(text)),
      });
    }

    typed(text) {
      this.lines([text]);
      this.lines(this.held);
      this.held = [];
    }

    next(screen) {
      while (this.sources.length > 0) {
        const text = this.sources[0].next(screen);
        if (text !== null) return text;
        this.sources.shift();
      }
      return null;
    }

    // The lines still waiting: held ones last.
    rest() {
      return this.sources.flatMap((s) => s.rest()).concat(this.held);
    }
  }

  function linesSource(list) {
    let at = 0;
    return { next: () => (at < list.length ? list[at++] : null), rest: () => list.slice(at) };
  }

  // A saved session: its typed lines are the text that follows the screen so
  // far up to the next line end, as long as the screen shows what it shows
  // (compared piece by piece, as the screen grows). After a read that fails
  // nothing of it is left.
  function savedSource(text) {
    let checked = 0;
    return {
      next(screen) {
        if (text.substring(checked, screen.length) !== screen.substring(checked)) return null;
        checked = screen.length;
        const end = text.indexOf('\n', screen.length);
        return end < 0 ? null : text.slice(screen.length, end);
      },
      rest: () => [],
    };
  }

  function splitLines(text) {
    const lines = text.split(/\r\n|\r|\n/);
    if (lines[lines.length - 1] === '') lines.pop();
    return lines;
  }

  // ---- One run of the program, from a fresh instance to its exit status.
  class Run {
    constructor(input) {
      this.input = input;
      this.screen = new Screen(ui.tela);
      this.delivered = [];  // the lines read, in order: a failed read is the last one
      this.resolveRead = null;
      this.waiting = false;
      this.sliceStart = 0;
      this.ended = false;
      this.failure = null;  // what the student is told of the typo being corrected
    }

    isCurrent() { return run === this; }

    async start() {
      setState('carregando');
      let status;
      try {
        const module = await program;
        const instance = await criaLousa({
          instantiateWasm(imports, done) {
            WebAssembly.instantiate(module, imports).then((made) => done(made, module));
            return {};
          },
          lousaNextLine: () => this.nextLine(),
          lousaShow: (text, kind) => { if (this.isCurrent()) this.show(text, kind); },
        });
        if (!this.isCurrent()) return;
        ui.aviso.hidden = true;
        setState('executando');
        status = await instance.ccall('lousa_executa', 'number', [], [], { async: true });
      } catch (error) {
        if (!this.isCurrent()) return;
        this.screen.add(String((error && error.message) || error) + '\n', 'relato');
        status = lousa.status.internalError;
      }
      if (this.isCurrent()) this.end(status);
    }

    // Other kinds (a table block for "Consulta à tabela", a picture for
    // "Gráfico") are announced on the screen element for the panels that will
    // show them; they never enter the screen or the saved session.
    show(text, kind) {
      if (kind === lousa.kind.screen) this.screen.add(text, null);
      else if (kind === lousa.kind.report) this.screen.add(text, 'relato');
      else this.screen.addBeside(kind, text);
    }

    // Between queued lines the page gives the browser its turn every few tens
    // of milliseconds, so that a long paste leaves the tab answering clicks
    // and keys, and the screen shows the progress.
    nextLine() {
      return new Promise((resolve) => {
        if (!this.isCurrent()) return;  // abandoned: never answered
        this.resolveRead = resolve;
        if (performance.now() - this.sliceStart < 30) return this.deliverOrWait();
        setTimeout(() => {
          this.sliceStart = performance.now();
          if (this.isCurrent() && this.resolveRead === resolve) this.deliverOrWait();
        }, 0);
      });
    }

    deliverOrWait() {
      const ready = this.input.next(this.screen.text);
      if (ready !== null) return this.deliver(ready);
      this.waiting = true;
      this.sliceStart = 0;
      this.screen.flush();
      setState('esperando');
      showNotes();
    }

    // The line appears where the program read it, after its prompt.
    deliver(text) {
      const resolve = this.resolveRead;
      this.resolveRead = null;
      this.waiting = false;
      this.delivered.push(text);
      this.screen.add(text + '\n', 'digitado');
      setState('executando');
      resolve(text);
    }

    // A line the student sent: to the program if it waits, else queued.
    send(text) {
      const hadHeld = this.input.held.length > 0;
      this.input.typed(text);
      this.failure = null;
      if (this.waiting) this.deliverOrWait();
      if (hadHeld) showNotes();
    }

    end(status) {
      this.ended = true;
      this.resolveRead = null;
      this.screen.flush();
      setState('terminou');
      const failed = this.delivered[this.delivered.length - 1];
      if (status === lousa.status.normal) {
        notice('O programa terminou. Para usá-lo de novo, comece outra vez.', false);
      } else if (status === lousa.status.readFailed && failed !== undefined) {
        const rest = this.input.rest().length;
        notice('O programa parou: a resposta "' + failed + '" não pôde ser lida (veja o aviso na tela). ' +
          '"Corrigir a resposta" refaz a sessão até essa pergunta, com a resposta na linha para você corrigir' +
          (rest > 0 ? ', e depois segue com ' + lines(rest) + ' que vinham a seguir' : '') +
          '; "Começar de novo" volta ao menu.', true, true);
      } else if (status === lousa.status.readFailed) {
        notice('O programa parou: uma resposta não pôde ser lida (veja o aviso na tela).', true);
      } else {
        notice('O programa parou por um erro (veja o aviso na tela).', true);
      }
      showNotes();
    }

    // The run again, up to the read that failed, with the failed line on the
    // answer line to be edited and the lines that followed it held until it
    // is sent. Runs are deterministic, so the screen is the one the student
    // had before the typo.
    correct() {
      const failed = this.delivered[this.delivered.length - 1];
      const why = explain(failed, this.screen.text);
      const rest = this.input.rest();
      startRun((input) => {
        input.lines(this.delivered.slice(0, -1));
        input.held = rest;
      }, false, failed).failure = why;
    }
  }

  function lines(n) {
    return n + (n === 1 ? ' linha' : ' linhas');
  }

  // A new run; `prepare` fills its input queue, `text` goes on the answer
  // line at once (keys typed during a replay add to it). Replacing a session
  // with typed answers keeps it for one undo.
  function startRun(prepare, replaces = true, text = '') {
    const before = run;
    line.previous = replaces && before && before.delivered.length > 0 ? { lines: before.delivered, draft: ui.entrada.value } : null;
    const input = new Input();
    if (prepare) prepare(input);
    run = new Run(input);
    setLine(text);
    notice('Carregando o programa…', false);
    showNotes();
    run.start();
    return run;
  }

  function notice(text, stopped, canCorrect = false) {
    ui['aviso-texto'].textContent = text;
    ui.aviso.classList.toggle('parou', stopped);
    ui['de-novo'].hidden = !run || !run.ended;
    ui.corrigir.hidden = !canCorrect;
    ui.aviso.hidden = false;
    scrollToEnd();  // the notice takes room from the screen: keep its last lines in view
  }

  // The failed answer and its problem, in words, from the run's report.
  function explain(failed, screen) {
    const problems = [['Bad integer', 'número inteiro inválido'], ['Bad real', 'número real inválido'],
      ['Integer overflow', 'número inteiro grande demais'], ['Invalid string', 'texto inválido'],
      ['Zero repeat', 'repetição com contagem zero'], ['Repeat count', 'contagem de repetição grande demais']];
    const at = screen.lastIndexOf('Console error: ');
    const report = at < 0 ? '' : screen.slice(at + 15);
    const item = /item (\d+)/.exec(report);
    const found = problems.find(([english]) => report.startsWith(english));
    let text = 'A resposta "' + failed + '" não pôde ser lida' +
      (found ? ': ' + found[1] + (item ? ' no item ' + item[1] : '') : '') + '.';
    if (/\d[Ol]|[Ol]\d/.test(failed)) text += ' Há a letra O ou l entre os algarismos (1O00 parece 1000 nesta letra).';
    return text;
  }

  // ---- Notes next to the answer line: the typo being corrected, the lines
  // held after it, a decimal comma, an undo. None of them enters the screen
  // or the saved session.
  function showNotes() {
    const notes = [];
    if (run && run.failure) notes.push([run.failure]);
    if (run && run.input.held.length > 0) {
      notes.push([lines(run.input.held.length) + ' a seguir, enviadas depois desta resposta.',
        ['Descartar', () => { run.input.held = []; }]]);
    }
    if (line.warnedComma !== null) notes.push([commaNote(line.warnedComma), ['Enviar assim', sendLine], ['Usar ponto', usePoint]]);
    if (line.previous) {
      const previous = line.previous;
      notes.push(['A sessão anterior foi substituída.',
        ['Desfazer', () => startRun((input) => input.lines(previous.lines), false, previous.draft)]]);
    }
    ui.notas.textContent = '';
    for (const [text, ...buttons] of notes) {
      const p = document.createElement('p');
      p.textContent = text;
      for (const [label, action] of buttons) {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = label;
        button.addEventListener('click', () => {
          if (label !== 'Desfazer') line.previous = null;
          action();
          showNotes();
          focusLine();
        });
        p.append(' ', button);
      }
      ui.notas.appendChild(p);
    }
    ui.notas.hidden = notes.length === 0;
  }

  // A digit, a comma and a digit with no blank between them: two values for
  // the program, often meant as one decimal number.
  function decimalComma(text) {
    return /(\d+),(\d+)/.exec(text);
  }

  function commaNote(text) {
    const [both, whole, fraction] = decimalComma(text);
    return both + ' são dois valores, ' + whole + ' e ' + fraction + '. Para decimais use ponto: ' + whole + '.' + fraction;
  }

  function usePoint() {
    setLine(ui.entrada.value.replace(/(\d),(\d)/g, '$1.$2'));
    line.warnedComma = null;
  }

  // ---- The answer line.
  function setLine(text) {
    ui.entrada.value = text;
    ui.entrada.setSelectionRange(text.length, text.length);
  }

  function focusLine() {
    ui.entrada.focus({ preventScroll: true });
  }

  function remember(text) {
    if (text !== '' && line.history[line.history.length - 1] !== text) line.history.push(text);
    line.position = line.history.length;
    line.draft = '';
  }

  // Enter: the line goes to the run, unless it ended (then it stays on the
  // line, and the notice says what to do) or has a decimal comma not yet
  // pointed out.
  function sendLine() {
    const text = ui.entrada.value;
    if (!run || run.ended) {
      remember(text);
      ui.aviso.classList.add('lembra');
      setTimeout(() => ui.aviso.classList.remove('lembra'), 600);
      return;
    }
    if (decimalComma(text) && line.warnedComma !== text) {
      line.warnedComma = text;
      return showNotes();
    }
    line.warnedComma = null;
    line.previous = null;
    ui.aviso.hidden = true;
    remember(text);
    setLine('');
    run.send(text);
    showNotes();
  }

  ui.linha.addEventListener('submit', (event) => {
    event.preventDefault();
    sendLine();
    focusLine();
  });

  // A paste of several lines sends them one by one; the last one, not ended
  // by a line break, stays on the answer line to be completed.
  ui.entrada.addEventListener('paste', (event) => {
    const pasted = event.clipboardData ? event.clipboardData.getData('text/plain') : '';
    if (!/[\r\n]/.test(pasted) || !run || run.ended) return;
    event.preventDefault();
    const [value, start, end] = [ui.entrada.value, ui.entrada.selectionStart, ui.entrada.selectionEnd];
    const pieces = (value.slice(0, start) + pasted).split(/\r\n|\r|\n/);
    const last = pieces.pop();
    ui.entrada.value = last + value.slice(end);
    ui.entrada.setSelectionRange(last.length, last.length);
    for (const text of pieces) {
      remember(text);
      run.send(text);
    }
  });

  // Tab types a separator, as a terminal would send it; Escape and then Tab,
  // or Shift+Tab, leave the line. The arrows walk through earlier lines.
  ui.entrada.addEventListener('keydown', (event) => {
    const escape = line.escapeBefore;
    line.escapeBefore = event.key === 'Escape';
    const h = line.history;
    if (event.key === 'Tab') {
      if (escape || event.shiftKey || event.ctrlKey || event.altKey || event.metaKey) return;
      ui.entrada.setRangeText('\t', ui.entrada.selectionStart, ui.entrada.selectionEnd, 'end');
    } else if (event.key === 'ArrowUp' && line.position > 0) {
      if (line.position === h.length) line.draft = ui.entrada.value;
      setLine(h[--line.position]);
    } else if (event.key === 'ArrowDown' && line.position < h.length) {
      ++line.position;
      setLine(line.position === h.length ? line.draft : h[line.position]);
    } else {
      return;
    }
    event.preventDefault();
  });
  ui.entrada.addEventListener('input', () => {
    if (line.warnedComma !== null && line.warnedComma !== ui.entrada.value) {
      line.warnedComma = null;
      showNotes();
    }
  });

  // Typing anywhere goes to the answer line, so a key never presses a button
  // by accident; clicking the screen gives the line the focus back unless
  // the student is selecting text to copy.
  document.addEventListener('keydown', (event) => {
    if (event.target === ui.entrada || event.ctrlKey || event.metaKey || event.altKey || event.key.length !== 1) return;
    if (event.target instanceof HTMLButtonElement && event.key === ' ') return;  // pressed on purpose
    if (event.target.closest && event.target.closest('[popover], #nome')) return;
    focusLine();
  }, true);
  ui.rolagem.addEventListener('click', () => {
    const selection = window.getSelection();
    if (!selection || selection.isCollapsed) focusLine();
  });

  ui['de-novo'].addEventListener('click', () => { startRun(); focusLine(); });
  // A panel switched on (web/paineis.js) asks for the session again: the same
  // screen, since runs are deterministic, now with the panel beside it.
  ui.tela.addEventListener('lousa-refazer', () => {
    const [lines, rest] = run ? [run.delivered, run.input.rest()] : [[], []];
    if (lines.length > 0) startRun((input) => input.lines(lines.concat(rest)), false, ui.entrada.value);
  });
  ui.corrigir.addEventListener('click', () => { run.correct(); focusLine(); });

  // ---- Files: answers in UTF-8 (with or without a mark), UTF-16 with a mark
  // (Notepad's "Unicode", PowerShell 5's `>`), or code page 850 from older
  // tools, as the native program reads them; or a saved session.
  function decode(bytes) {
    if (bytes[0] === 0xff && bytes[1] === 0xfe) return new TextDecoder('utf-16le').decode(bytes);
    if (bytes[0] === 0xfe && bytes[1] === 0xff) return new TextDecoder('utf-16be').decode(bytes);
    try {
      return new TextDecoder('utf-8', { fatal: true }).decode(bytes);
    } catch (notUtf8) {
      let text = '';
      for (const b of bytes) text += b < 128 ? String.fromCharCode(b) : lousa.cp850[b - 128];
      return text;
    }
  }

  async function openFile(file) {
    if (!file) return;
    const text = decode(new Uint8Array(await file.arrayBuffer()));
    // eslint-disable-next-line no-control-regex
    if (/\.tela$/i.test(file.name) || /[\0-\x08\x0e-\x1f]/.test(text)) {
      return notice('"' + file.name + '" não é um arquivo de respostas nem uma sessão salva: abra um arquivo de ' +
        'texto com uma resposta por linha (os .tela dos exemplos são telas, não respostas).', true);
    }
    startRun((input) => input.opened(text));
    focusLine();
  }

  ui.arquivo.addEventListener('change', () => {
    const file = ui.arquivo.files[0];
    ui.arquivo.value = '';
    openFile(file);
  });
  document.getElementById('abrir').addEventListener('click', () => ui.arquivo.click());
  document.addEventListener('dragover', (event) => {
    if (event.dataTransfer && [...event.dataTransfer.types].includes('Files')) {
      event.preventDefault();
      document.body.classList.add('soltando');
    }
  });
  document.addEventListener('dragleave', (event) => {
    if (event.relatedTarget === null) document.body.classList.remove('soltando');
  });
  document.addEventListener('drop', (event) => {
    document.body.classList.remove('soltando');
    if (!event.dataTransfer || event.dataTransfer.files.length === 0) return;
    event.preventDefault();
    openFile(event.dataTransfer.files[0]);
  });

  // ---- The examples built into the page, one per application, named by
  // the menu's title. It and the "⋯" menu are popovers (Escape and a click
  // elsewhere close them), opened below the toolbar.
  for (const example of lousa.examples) {
    const item = document.createElement('li');
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = example.code + ' — ' + (lousa.titles[example.code] || example.name);
    button.addEventListener('click', () => {
      ui.exemplos.hidePopover();
      startRun((input) => input.lines(splitLines(example.answers)));
      focusLine();
    });
    item.appendChild(button);
    ui.exemplos.querySelector('ul').appendChild(item);
  }
  for (const menu of document.querySelectorAll('[popover]')) {
    menu.addEventListener('toggle', (event) => {
      if (event.newState !== 'open') return;
      menu.style.top = document.querySelector('.topo').getBoundingClientRect().bottom + 'px';
      // The event comes after the menu opened: a field chosen meanwhile keeps
      // the focus (a key typed there must not press the first button).
      if (menu.contains(document.activeElement)) return;
      const first = [...menu.querySelectorAll('button')].find((b) => b.offsetParent !== null);
      if (first) first.focus();
    });
  }

  // ---- Saving and printing: the whole session as the screen shows it
  // (program text, typed answers and a stop report, in order).
  function save() {
    run.screen.flush();
    const now = new Date();
    const two = (n) => String(n).padStart(2, '0');
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([run.screen.text], { type: 'text/plain;charset=utf-8' }));
    link.download = 'sessao-lousa-' + now.getFullYear() + '-' + two(now.getMonth() + 1) + '-' + two(now.getDate()) +
      '-' + two(now.getHours()) + two(now.getMinutes()) + '.txt';
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  // Each printed page says what it is, in the head of the table around the
  // screen: the version, the date and time, the application (the code the
  // session chose) and the student's name.
  function beforePrint() {
    run.screen.flush();
    const code = run.delivered.length > 0 ? String(Number(run.delivered[0])) : '';
    const name = ui.nome.value.trim();
    ui.cabecalho.textContent = ['Lousa ' + lousa.version, new Date().toLocaleString('pt-BR', { dateStyle: 'short', timeStyle: 'short' }),
      lousa.titles[code], name && 'Nome: ' + name].filter(Boolean).join(' · ');
  }

  function print() {
    beforePrint();
    window.print();
  }

  window.addEventListener('beforeprint', beforePrint);  // also Ctrl-P
  ui.nome.value = recalled('lousa.nome') || '';
  ui.nome.addEventListener('change', () => keep('lousa.nome', ui.nome.value.trim()));
  for (const about of document.querySelectorAll('.sobre')) about.textContent = 'Lousa ' + lousa.version + ' · software livre, licença MIT';

  // ---- The phone's fit. The 80 columns are wider than a phone: a fade with
  // an arrow says a line goes on to the right, and "Caber na tela" scales
  // the type so that the 80 columns fit, remembered on this device.
  function showHint() {
    ui.dica.hidden = ui.rolagem.scrollLeft + ui.rolagem.clientWidth >= ui.rolagem.scrollWidth - 2;
  }

  function keep(key, value) {
    try { localStorage.setItem(key, value); } catch (noStorage) { /* the choice lasts this visit */ }
  }

  function recalled(key) {
    try { return localStorage.getItem(key); } catch (noStorage) { return null; }
  }

  function fit() {
    ui.tela.style.fontSize = '';
    if (ui.caber.getAttribute('aria-pressed') === 'true') {
      const sample = document.createElement('span');  // measured outside the screen
      sample.setAttribute('aria-hidden', 'true');
      sample.style.cssText = 'position: absolute; visibility: hidden; white-space: pre; font: ' + getComputedStyle(ui.tela).font;
      sample.textContent = '0'.repeat(81);
      document.body.appendChild(sample);
      const width = sample.getBoundingClientRect().width;
      sample.remove();
      const style = getComputedStyle(ui.rolagem);
      const room = ui.rolagem.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
      const size = parseFloat(getComputedStyle(ui.tela).fontSize);
      if (width > room) ui.tela.style.fontSize = Math.floor(size * room / width * 10) / 10 + 'px';
    }
    showHint();
  }

  ui.caber.addEventListener('click', () => {
    const on = ui.caber.getAttribute('aria-pressed') !== 'true';
    ui.caber.setAttribute('aria-pressed', String(on));
    keep('lousa.caberNaTela', on ? '1' : '0');
    fit();
    ui.caber.closest('[popover]').hidePopover();
    focusLine();
  });
  ui.caber.setAttribute('aria-pressed', String(recalled('lousa.caberNaTela') === '1'));
  ui.rolagem.addEventListener('scroll', showHint, { passive: true });
  window.addEventListener('resize', fit);

  // The toolbar's actions, some also in the "⋯" menu; after each the focus
  // goes back to the answer line.
  for (const button of document.querySelectorAll('[data-acao]')) {
    button.addEventListener('click', () => {
      const menu = button.closest('[popover]');
      if (menu) menu.hidePopover();
      ({ salvar: save, imprimir: print, recomecar: () => startRun() })[button.dataset.acao]();
      focusLine();
    });
  }
  document.getElementById('enviar').addEventListener('mousedown', (event) => {
    event.preventDefault();  // keep the focus (and a phone's keyboard) on the answer line
  });

  // Safari on iPhone and iPad ignores interactive-widget: its on-screen
  // keyboard covers the page instead of shrinking it, so the page follows
  // the visible area to keep the answer line just above the keyboard.
  if (window.visualViewport) {
    window.visualViewport.addEventListener('resize', () => {
      document.body.style.height = window.visualViewport.height + 'px';
      scrollToEnd();
    });
  }

  fit();
  startRun();
  focusLine();
})();
