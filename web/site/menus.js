// The menu bar as a desktop program's: one menu open at a time, a command
// closes its menu, the keys work as in the window. An access key is the
// underlined letter of a text (the window's "&"): Alt with it opens a menu,
// or acts on the control of that label or button, in an open dialog or else
// in the page's band of controls; the letter alone chooses a command of the
// open menu; the arrows move between its commands and Esc closes it.

// The Russian letter on a key whatever the keyboard's layout, so that Alt+В
// also works while a Latin layout is chosen.
const kLatinKeys = "qwertyuiop[]asdfghjkl;'zxcvbnm,.";
const kRussianKeys = 'йцукенгшщзхъфывапролджэячсмитьбю';
const kPunctuation = { BracketLeft: '[', BracketRight: ']', Semicolon: ';', Quote: "'", Comma: ',', Period: '.' };

function lettersOf(event) {
  const latin = event.code.startsWith('Key') ? event.code.slice(3).toLowerCase() : kPunctuation[event.code];
  const k = latin ? kLatinKeys.indexOf(latin) : -1;
  return [event.key.toLowerCase(), k >= 0 ? kRussianKeys[k] : ''];
}

const accessKey = (element) => element.querySelector('u')?.textContent.toLowerCase();
const withKey = (elements, event) => {
  const letters = lettersOf(event);
  return elements.find((e) => letters.includes(accessKey(e)));
};

// What an access key does: a check box or a button is pressed, any other
// control takes the focus, a box with its text selected.
function activate(element) {
  const control = element.control ?? element;
  control.focus();
  if (control.type === 'checkbox' || control.tagName === 'BUTTON') control.click();
  else control.select?.();
}

// Each menu's title names its access key, in the language shown.
export function showMenuKeys(menus) {
  for (const menu of menus) menu.querySelector('summary').setAttribute('aria-keyshortcuts', `Alt+${accessKey(menu).toUpperCase()}`);
}

export function connectMenus(menus, band) {
  const commandsOf = (menu) => [...menu.querySelectorAll('.items > *')];
  const close = (menu) => {
    menu.open = false;
    menu.querySelector('summary').focus();
  };
  showMenuKeys(menus);
  for (const menu of menus) {
    menu.addEventListener('toggle', () => {
      if (menu.open) for (const m of menus) if (m !== menu) m.open = false;
    });
    for (const item of menu.querySelectorAll('a, button')) item.addEventListener('click', () => { menu.open = false; });
    menu.addEventListener('keydown', (event) => {
      if (!menu.open || event.altKey || event.ctrlKey || event.metaKey) return;
      const commands = commandsOf(menu).filter((c) => !c.querySelector(':disabled') && !c.matches(':disabled'));
      const at = commands.findIndex((c) => c.contains(document.activeElement));
      const chosen = withKey(commands, event);
      if (event.key === 'Escape') close(menu);
      else if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
        const step = event.key === 'ArrowDown' ? 1 : -1;
        focusCommand(commands[(at + step + commands.length) % commands.length] ?? commands[0]);
      } else if (chosen) {
        (chosen.querySelector('input') ?? chosen).click();
        close(menu);
      } else return;
      event.preventDefault();
    });
  }
  document.addEventListener('keydown', (event) => {
    if (!event.altKey || event.ctrlKey || event.metaKey) return;
    const dialog = document.querySelector('dialog[open]');
    const menu = dialog ? null : withKey(menus, event);
    const usable = (e) => !(e.control ?? e).disabled;
    const labelled = withKey([...(dialog ?? band).querySelectorAll('label, button')].filter(usable), event);
    if (menu) {
      menu.open = true;
      focusCommand(commandsOf(menu).find((c) => !c.querySelector(':disabled') && !c.matches(':disabled')));
    } else if (labelled) activate(labelled);
    else return;
    event.preventDefault();
  });
}

function focusCommand(command) {
  (command?.querySelector('input') ?? command)?.focus();
}
